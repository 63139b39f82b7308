// A game from its start to its end: the new-game preparation and one frame of play.
#include "game/play.h"

#include "game/fall.h"
#include "game/thread_ops.h"

#include <cstdlib>

namespace {

constexpr int firstKindChoices = 3; // Gem90, Gem80 or Gem70
constexpr int startColumn = 6;

void resetFlags(Game& game) {
    game.patternsCompleted = 0;
    game.colorLinesCount = 0;
    game.gemActive = true;
    game.timeUp = false;
    game.boardFull = false;
    game.trashFlushing = false;
    game.threadClearing = false;
    game.patternMatched = false;
    game.patternRefill = false;
    game.endSummaryReady = false;
    game.endMusicStarted = false;
    // Left over when the previous game was abandoned mid-frame; they would leak into this one.
    game.landed = false;
    game.pointsThisFrame = 0;
    game.popupPoints = 0;
    game.popupProgress = 0.0f;
}

} // namespace

void initGameClocks(Game& game, const TimeSource& time) {
    game.fallClock = makeStopwatch(time);
    game.landClock = makeStopwatch(time);
    game.animClock = makeStopwatch(time);
    game.secondClock = makeStopwatch(time);
    game.keyRepeatClock = makeStopwatch(time);
}

void startNewGame(Game& game) {
    game.fallRow = 0;
    game.fallColumn = std::rand() % playColumns;
    resetFlags(game);
    game.maxKindIndex = 2;
    game.fallKind = std::rand() % firstKindChoices;
    game.fallSpeedup = 0.0f;
    restart(game.secondClock);
    game.secondsLeft = secondsPerLevel;
    game.level = 1;
    game.score = 0;
    game.cursorColumn = startColumn;
    game.paused = false;
    game.thread.fill(Empty);
    for (GemKind& slot : game.pattern) {
        slot = static_cast<GemKind>(std::rand() % firstKindChoices + 1);
    }
    game.board.fill(Empty);
    game.requests = Requests{};
}

FrameResult updatePlaying(Game& game, Stopwatch& fadeClock) {
    FrameResult result;
    runThreadAnimations(game);
    secondTick(game, fadeClock, result);
    nearFullWarning(game);
    pointsStep(game, fadeClock);
    if (updateFall(game)) {
        result.skipRestOfFrame = true;
        return result;
    }
    boardFullEnd(game, fadeClock, result);
    return result;
}
