// The falling gem: its kind, its fall row by row, its landing and the spawn of the next one.
#include "game/fall.h"

#include "game/cues.h"

#include <array>
#include <cstdlib>

namespace {

constexpr int percent = 100;
constexpr float spawnDelayBase = 0.7f;
constexpr float spawnDelayFactor = 0.5f;

double randomFraction() {
    return std::rand() / static_cast<double>(RAND_MAX);
}

void landGem(Game& game) {
    cell(game.board, game.fallRow, game.fallColumn) = static_cast<GemKind>(game.fallKind + 1);
    game.gemActive = false;
    game.landed = true;
    restart(game.landClock);
    cue(game, SoundEffectId::GemFall, CueRule::Restart);
}

void spawnGem(Game& game) {
    game.gemActive = true;
    game.fallRow = 0;
    restart(game.fallClock);
    game.fallColumn = std::rand() % playColumns;
    game.fallKind = chooseNextKind(game);
}

void stepFallingGem(Game& game) {
    if (elapsedSeconds(game.fallClock) < fallInterval(game) || !game.gemActive || game.timeUp) {
        return;
    }
    restart(game.fallClock);
    if (roomBelowFallingGem(game)) {
        ++game.fallRow;
        return;
    }
    landGem(game);
}

} // namespace

void dropGem(Board& board, int& row, int column, bool& gemActive, GemKind value) {
    while (row < bottomRow && cell(board, row + 1, column) == Empty) {
        ++row;
    }
    cell(board, row, column) = value;
    gemActive = false;
}

int chooseNextKind(const Game& game) {
    const int r = std::rand() % percent;
    if (r < game.mode.diamondChance) {
        return fallKindDiamond;
    }
    if (r < game.mode.diamondChance + game.mode.trashChance) {
        return fallKindTrash;
    }
    std::array<int, Trash + 1> count{};
    int total = 0;
    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < playColumns; ++column) {
            const GemKind code = cell(game.board, row, column);
            total += code != Empty ? 1 : 0;
            ++count[code];
        }
    }
    int best = 0;
    double bestWeight = -1.0;
    for (int kind = 0; kind <= game.maxKindIndex; ++kind) {
        const double fraction = randomFraction();
        if (total == 0) {
            continue; // an empty board weighs nothing: the first kind is taken
        }
        const double weight = (1.0 - static_cast<double>(count[kind + 1]) / total) * fraction;
        if (weight > bestWeight) {
            bestWeight = weight;
            best = kind;
        }
    }
    return best;
}

bool roomBelowFallingGem(const Game& game) {
    return game.fallRow < bottomRow && cell(game.board, game.fallRow + 1, game.fallColumn) == Empty;
}

float fallInterval(const Game& game) {
    if (!roomBelowFallingGem(game)) {
        return 0.0f;
    }
    return game.mode.baseFallInterval - game.fallSpeedup;
}

float spawnDelay(const Game& game) {
    return (spawnDelayBase - game.fallSpeedup) * spawnDelayFactor;
}

bool updateFall(Game& game) {
    stepFallingGem(game);
    if (game.gemActive || !game.landed || elapsedSeconds(game.landClock) < spawnDelay(game)) {
        return false;
    }
    game.landed = false;
    if (cell(game.board, 0, game.fallColumn) != Empty) {
        game.paused = true; // freezes keys and countdown; the end sequence is already running
        return true;
    }
    spawnGem(game);
    return false;
}
