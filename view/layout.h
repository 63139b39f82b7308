// The window's scale against the 1920 x 1080 design space in which every position and size is given.
#pragma once

#include <algorithm>
#include <cmath>

struct Layout {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
};

// Text keeps its shape on a stretched screen: it grows with the smaller of the two scales, so a name
// that fits its box in the design space fits it on every screen.
inline unsigned scaledCharacterSize(unsigned designSize, Layout layout) {
    const float size = static_cast<float>(designSize) * std::min(layout.scaleX, layout.scaleY);
    return std::max(1u, static_cast<unsigned>(std::lround(size)));
}
