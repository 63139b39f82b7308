// The window's scale against the 1920 x 1080 design space in which every position and size is given.
#pragma once

struct Layout {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
};
