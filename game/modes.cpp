// The six game modes and the parameters each mode button sets.
#include "game/modes.h"

namespace {

struct ModeRow {
    GameMode mode;
    int diamondChance;
    int trashChance;
    float baseFallInterval;
    float fallSpeedupPerLevel;
};

constexpr ModeRow modeTable[] = {
    {Easy, 0, 0, 0.7f, 0.005f},       {Normal, 6, 10, 0.7f, 0.0058f},   {Hard, 6, 20, 0.6f, 0.005f},
    {VeryHard, 6, 30, 0.5f, 0.0042f}, {ColorLines, 0, 0, 0.7f, 0.003f}, {Casual, 0, 0, 0.2f, 0.0f},
};

} // namespace

void setModeParameters(ModeSettings& mode, GameMode newMode) {
    for (const ModeRow& row : modeTable) {
        if (row.mode != newMode) {
            continue;
        }
        mode.gameMode = row.mode;
        mode.diamondChance = row.diamondChance;
        mode.trashChance = row.trashChance;
        mode.baseFallInterval = row.baseFallInterval;
        mode.fallSpeedupPerLevel = row.fallSpeedupPerLevel;
        return;
    }
}

int cursorLimit(const ModeSettings& mode) {
    return mode.gameMode == ColorLines ? trashColumn - 1 : trashColumn;
}

bool earnsPoints(const ModeSettings& mode) {
    return mode.gameMode != Casual;
}
