// Music and sound-effect switches, and the rules by which effects and the music are started.
#pragma once

#include "game/game.h"

struct AssetCatalogue;

struct Audio {
    bool musicEnabled = true;
    bool soundEnabled = true;
    bool musicLatch = false; // M taken while held
    bool soundLatch = false; // S taken while held
};
