// The six game modes and the parameters each mode button sets.
#pragma once

#include "game/game.h"

void setModeParameters(ModeSettings& mode, GameMode newMode);
// Highest column the cursor may reach: the tube, except in ColorLines where the tube is not used.
int cursorLimit(const ModeSettings& mode);
// Casual play has no countdown, no level-ups and no points.
bool earnsPoints(const ModeSettings& mode);
