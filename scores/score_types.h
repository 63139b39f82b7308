// Records and constants of the high-score store: one player's name and best result per scored mode.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline const std::string lastPlayerMarker = "[LAST_PLAYER]";
constexpr int maxPlayers = 10;
// One result per scored mode, Easy (1) to ColorLines (5); Casual keeps none.
constexpr int resultSlots = 5;

struct ModeResult {
    std::int32_t matches = 0;
    std::int32_t levelsCompleted = 0;
    std::int32_t score = 0;
};

struct PlayerRecord {
    std::string name;
    std::vector<ModeResult> results;
};

inline bool operator==(const ModeResult& a, const ModeResult& b) {
    return a.matches == b.matches && a.levelsCompleted == b.levelsCompleted && a.score == b.score;
}

inline bool operator==(const PlayerRecord& a, const PlayerRecord& b) {
    return a.name == b.name && a.results == b.results;
}
