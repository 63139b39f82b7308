// The thread under the cursor: pulls, pushes, the trash tube, completion checks and animations.
#include "game/thread_ops.h"

#include "game/cues.h"
#include "game/fall.h"
#include "game/modes.h"

#include <cstdlib>

namespace {

constexpr int matchBase = 10; // a coloured gem is worth 10 - code
constexpr int diamondThreadPoints = 80;
constexpr int flushPoints = 4;
constexpr int lastSlot = threadSlots - 1;
constexpr int pushTopRow = 2; // a push never refills rows 0 and 1

void addPoints(Game& game, int points) {
    if (earnsPoints(game.mode)) {
        game.pointsThisFrame += points;
    }
}

void shiftThreadDown(Thread& thread) {
    for (int i = lastSlot; i >= 1; --i) {
        thread[i] = thread[i - 1];
    }
}

void shiftThreadUp(Thread& thread) {
    for (int i = 0; i < lastSlot; ++i) {
        thread[i] = thread[i + 1];
    }
    thread[lastSlot] = Empty;
}

bool allSlotsHold(const Thread& thread, GemKind code) {
    for (GemKind slot : thread) {
        if (slot != code) {
            return false;
        }
    }
    return true;
}

void startClearing(Game& game) {
    game.threadClearing = true;
    restart(game.animClock);
    cue(game, SoundEffectId::PatternShift, CueRule::Once);
}

void checkOneColourLine(Game& game) {
    const GemKind code = game.thread[0];
    if (!allSlotsHold(game.thread, code)) {
        return;
    }
    startClearing(game);
    ++game.colorLinesCount;
    game.pointsThisFrame += threadSlots * (matchBase - code);
}

void checkDiamondThread(Game& game) {
    if (!allSlotsHold(game.thread, Diamond)) {
        return;
    }
    startClearing(game);
    addPoints(game, diamondThreadPoints);
}

void checkPattern(Game& game) {
    if (game.thread != game.pattern) {
        return;
    }
    ++game.patternsCompleted;
    restart(game.animClock);
    game.patternMatched = true;
    addPoints(game, threadValue(game.thread));
    cue(game, SoundEffectId::PatternShift, CueRule::Once);
}

bool tubeEmpty(const Board& board) {
    for (int row = 0; row < boardRows; ++row) {
        if (cell(board, row, trashColumn) != Empty) {
            return false;
        }
    }
    return true;
}

} // namespace

bool threadFull(const Thread& thread) {
    return thread[lastSlot] != Empty;
}

int threadValue(const Thread& thread) {
    int sum = 0;
    for (GemKind slot : thread) {
        sum += matchBase - slot;
    }
    return sum;
}

void pullGem(Game& game) {
    const int c = game.cursorColumn;
    if (c >= trashColumn || threadFull(game.thread) || cell(game.board, bottomRow, c) == Empty) {
        return;
    }
    shiftThreadDown(game.thread);
    game.thread[0] = cell(game.board, bottomRow, c);
    for (int row = bottomRow; row >= 1; --row) {
        cell(game.board, row, c) = cell(game.board, row - 1, c);
    }
    if (game.mode.gameMode == ColorLines) {
        checkOneColourLine(game);
        return;
    }
    checkDiamondThread(game);
    checkPattern(game);
}

void pushGem(Game& game) {
    const int c = game.cursorColumn;
    if (c >= trashColumn || game.thread[0] == Empty || cell(game.board, pushTopRow, c) != Empty) {
        return;
    }
    for (int row = pushTopRow; row < bottomRow; ++row) {
        cell(game.board, row, c) = cell(game.board, row + 1, c);
    }
    cell(game.board, bottomRow, c) = game.thread[0];
    shiftThreadUp(game.thread);
}

void startTrashFlush(Game& game) {
    // A repeat before the first step would restart the animation and pay the flush again.
    if (game.trashFlushing || !threadFull(game.thread)) {
        return;
    }
    restart(game.animClock);
    game.trashFlushing = true;
    addPoints(game, flushPoints);
    cue(game, SoundEffectId::TrashDrop, CueRule::Once);
}

void trashFlushStep(Game& game) {
    if (!game.trashFlushing || elapsedSeconds(game.animClock) < flushStepSeconds) {
        return;
    }
    for (int row = 0; row < bottomRow; ++row) {
        cell(game.board, row, trashColumn) = cell(game.board, row + 1, trashColumn);
    }
    cell(game.board, bottomRow, trashColumn) = game.thread[0];
    shiftThreadUp(game.thread);
    if (tubeEmpty(game.board)) {
        game.trashFlushing = false;
    }
    restart(game.animClock);
}

void threadClearingStep(Game& game) {
    if (!(game.threadClearing || game.patternMatched) ||
        elapsedSeconds(game.animClock) < clearingStepSeconds) {
        return;
    }
    shiftThreadDown(game.thread);
    if (game.patternMatched) {
        shiftThreadDown(game.pattern);
    }
    if (game.thread[0] != Empty) {
        game.thread[0] = Empty;
        if (game.patternMatched) {
            game.pattern[0] = Empty;
        }
    }
    if (game.thread[lastSlot] == Empty) {
        game.threadClearing = false;
        if (game.patternMatched) {
            game.patternMatched = false;
            game.patternRefill = true;
        }
    }
    restart(game.animClock);
}

void patternRefillStep(Game& game) {
    if (!game.patternRefill || elapsedSeconds(game.animClock) < refillStepSeconds) {
        return;
    }
    for (int i = 0; i < lastSlot; ++i) {
        game.pattern[i] = game.pattern[i + 1];
    }
    game.pattern[lastSlot] = static_cast<GemKind>(std::rand() % (game.maxKindIndex + 1) + 1);
    if (game.pattern[0] != Empty) {
        game.patternRefill = false;
    }
    restart(game.animClock);
}

void runThreadAnimations(Game& game) {
    trashFlushStep(game);
    threadClearingStep(game);
    patternRefillStep(game);
}
