// Points, the level clock with its level-ups, the near-full warning and the two ends of a game.
#include "game/scoring.h"

#include "game/cues.h"
#include "game/fall.h"

#include <algorithm>

namespace {

constexpr float popupStepSeconds = 0.02f;
constexpr float popupSteps = 100.0f;
constexpr float tickSeconds = 1.0f;
constexpr float endSoundSeconds = 1.0f;
constexpr float endScreenSeconds = 6.0f;
constexpr int levelsPerNewKind = 10;
constexpr int firstMaxKindIndex = 2;
constexpr int lastMaxKindIndex = 7;
constexpr int timeOutLevelValue = lastLevel - 1;

int resultCount(const Game& game) {
    return game.mode.gameMode == ColorLines ? game.colorLinesCount : game.patternsCompleted;
}

// The first frame of an end: the caller prepares a fresh game next time and the music stops.
void beginEnd(Game& game, Stopwatch& fadeClock, FrameResult& result) {
    restart(fadeClock);
    game.requests.stopMusic = true;
    result.gameEndedNow = true;
}

void finishEnd(Game& game, Stopwatch& fadeClock, FrameResult& result, bool recordable, int levelValue) {
    result.showEndScreen = true;
    restart(fadeClock);
    if (!recordable || game.score != game.bestScore) {
        return;
    }
    result.record.due = true;
    result.record.levelValue = levelValue;
    result.record.count = resultCount(game);
}

void timeOutEnd(Game& game, Stopwatch& fadeClock, FrameResult& result) {
    if (!game.timeUp) {
        game.timeUp = true;
        beginEnd(game, fadeClock, result);
    }
    if (elapsedSeconds(fadeClock) > endSoundSeconds) {
        cue(game, SoundEffectId::Applause, CueRule::Once);
    }
    if (elapsedSeconds(fadeClock) > endScreenSeconds) {
        finishEnd(game, fadeClock, result, true, timeOutLevelValue);
    }
}

} // namespace

bool columnNearlyFull(const Game& game, int column) {
    return cell(game.board, 1, column) != Empty && cell(game.board, 2, column) != Empty;
}

void nearFullWarning(Game& game) {
    if (game.boardFull) {
        return;
    }
    for (int column = 0; column < playColumns; ++column) {
        if (columnNearlyFull(game, column)) {
            cue(game, SoundEffectId::Alert, CueRule::Once);
        }
    }
}

void pointsStep(Game& game, Stopwatch& fadeClock) {
    if (game.pointsThisFrame > 0) {
        restart(fadeClock);
        game.popupPoints = game.pointsThisFrame;
        game.popupProgress = 0.0f;
        game.popupX = static_cast<float>(columnX[game.cursorColumn]);
    }
    if (elapsedSeconds(fadeClock) >= popupStepSeconds && game.popupPoints > 0) {
        restart(fadeClock);
        game.popupProgress += 1.0f;
        if (game.popupProgress >= popupSteps) {
            game.popupPoints = 0;
        }
    }
    game.score += game.pointsThisFrame;
    game.pointsThisFrame = 0;
    game.bestScore = std::max(game.bestScore, game.score);
}

void levelUp(Game& game) {
    game.secondsLeft = secondsPerLevel;
    ++game.level;
    game.requests.levelRose = true;
    game.maxKindIndex = std::min((game.level - 1) / levelsPerNewKind + firstMaxKindIndex, lastMaxKindIndex);
    game.fallSpeedup += game.mode.fallSpeedupPerLevel;
    if ((game.level - 1) % levelsPerNewKind != 0) {
        cue(game, SoundEffectId::LevelUp, CueRule::Once);
        return;
    }
    // The new kind is shown on the falling gem at once, but only when its fanfare really starts.
    if (tryCue(game, SoundEffectId::Level11Up, CueRule::Once)) {
        game.fallKind = game.maxKindIndex;
    }
}

void secondTick(Game& game, Stopwatch& fadeClock, FrameResult& result) {
    if (game.paused || game.mode.gameMode == Casual || elapsedSeconds(game.secondClock) < tickSeconds) {
        return;
    }
    restart(game.secondClock);
    game.requests.clockTicked = true;
    if (!game.timeUp) {
        --game.secondsLeft;
    }
    if (game.level >= lastLevel) {
        if (game.secondsLeft <= 0) {
            timeOutEnd(game, fadeClock, result);
        }
        return;
    }
    if (game.secondsLeft <= 0) {
        levelUp(game);
    }
}

void boardFullEnd(Game& game, Stopwatch& fadeClock, FrameResult& result) {
    if (cell(game.board, 0, game.fallColumn) == Empty || cell(game.board, 1, game.fallColumn) == Empty) {
        return;
    }
    if (!game.boardFull) {
        game.boardFull = true;
        beginEnd(game, fadeClock, result);
    }
    if (elapsedSeconds(fadeClock) > endSoundSeconds) {
        const bool best = game.score == game.bestScore && game.score != 0;
        cue(game, best ? SoundEffectId::Applause : SoundEffectId::Defeat, CueRule::Once);
    }
    if (elapsedSeconds(fadeClock) > endScreenSeconds) {
        finishEnd(game, fadeClock, result, game.mode.gameMode != Casual, game.level - 1);
    }
}
