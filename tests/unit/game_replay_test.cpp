// Whole games played from startNewGame to the end screen, driven only by key presses and a manual
// clock of 64 frames per second (a power of two, so every frame time is exact).
#include "game_testing.h"

#include <array>
#include <cstdlib>

namespace {

constexpr double frameSeconds = 1.0 / 64.0;

bool animating(const Game& game) {
    return game.trashFlushing || game.threadClearing || game.patternMatched || game.patternRefill;
}

int columnHeight(const Board& board, int column) {
    int height = 0;
    for (int row = 0; row < boardRows; ++row) {
        height += cell(board, row, column) != Empty ? 1 : 0;
    }
    return height;
}

int tallestColumn(const Board& board) {
    int best = -1;
    for (int column = 0; column < 12; ++column) {
        if (columnHeight(board, column) > 0 && (best < 0 || columnHeight(board, column) > columnHeight(board, best))) {
            best = column;
        }
    }
    return best;
}

// A tidy player: pulls gems from the tallest column and flushes every full thread into the tube.
// Returns the key pressed, if any.
bool tidyUp(PlayHarness& play, int& flushPresses) {
    Game& game = play.game;
    if (game.paused || game.timeUp || animating(game)) {
        return false;
    }
    if (threadFull(game.thread)) {
        if (game.cursorColumn < 12) {
            press(play, PlayKey::Right);
            return true;
        }
        press(play, PlayKey::Up);
        ++flushPresses;
        return true;
    }
    const int target = tallestColumn(game.board);
    if (target < 0) {
        return false;
    }
    const PlayKey key = game.cursorColumn < target   ? PlayKey::Right
                        : game.cursorColumn > target ? PlayKey::Left
                                                     : PlayKey::Down;
    press(play, key);
    return true;
}

struct Tally {
    int ticks = 0;
    int levelRises = 0;
    int levelUpCues = 0;
    int level11Cues = 0;
};

void count(Tally& tally, const Game& game) {
    tally.ticks += game.requests.clockTicked ? 1 : 0;
    tally.levelRises += game.requests.levelRose ? 1 : 0;
    tally.levelUpCues += cuesOf(game, SoundEffectId::LevelUp);
    tally.level11Cues += cuesOf(game, SoundEffectId::Level11Up);
}

} // namespace

TEST(ScriptedGame, TidyPlayerLastsAllSixtyLevelsWithAPause) {
    PlayHarness play;
    Game& game = play.game;
    setModeParameters(game.mode, Easy);
    std::srand(20240611);
    startNewGame(game);

    int flushPresses = 0;
    Tally tally;
    double pausedAt = -1.0;
    double timeOutAt = -1.0;
    FrameResult result;
    while (!result.showEndScreen && play.time.manualSeconds < 4000.0) {
        const double now = play.time.manualSeconds;
        const bool lastSeconds = game.level == 60 && game.secondsLeft <= 10;
        if (pausedAt < 0.0 && now >= 100.0 && pauseAllowed(game)) {
            press(play, PlayKey::P);
            ASSERT_TRUE(game.paused);
            pausedAt = now;
        } else if (game.paused && now >= pausedAt + 30.0 && !game.boardFull) {
            const int secondsBefore = game.secondsLeft;
            EXPECT_EQ(secondsBefore, 20) << "100 ticks before the pause, none during it";
            press(play, PlayKey::P);
            ASSERT_FALSE(game.paused);
            frame(play, frameSeconds);
            EXPECT_EQ(game.secondsLeft, secondsBefore - 1) << "the first tick comes at once";
            count(tally, game);
            continue;
        } else if (!lastSeconds) {
            tidyUp(play, flushPresses);
        }
        result = frame(play, frameSeconds);
        releasePauseLatch(game, false);
        count(tally, game);
        ASSERT_FALSE(game.boardFull) << "the tidy player lost at " << play.time.manualSeconds;
        if (result.gameEndedNow) {
            timeOutAt = play.time.manualSeconds;
        }
    }

    ASSERT_TRUE(result.showEndScreen);
    EXPECT_TRUE(game.timeUp);
    EXPECT_GE(pausedAt, 100.0);
    EXPECT_LT(pausedAt, 101.0);
    // Ticks at 1..100 s, the pause, a tick in the first frame after the resume, then the remaining
    // 3499 ticks a second apart.
    EXPECT_DOUBLE_EQ(timeOutAt, pausedAt + 30.0 + frameSeconds + 3499.0);
    EXPECT_DOUBLE_EQ(play.time.manualSeconds, timeOutAt + 7.0) << "the end is looked at once a second";
    EXPECT_EQ(tally.ticks, 3600 + 7);
    EXPECT_EQ(tally.levelRises, 59);
    EXPECT_EQ(tally.level11Cues, 5);
    EXPECT_EQ(tally.levelUpCues, 54);
    EXPECT_EQ(game.level, 60);
    EXPECT_EQ(game.maxKindIndex, 7);
    EXPECT_NEAR(game.fallSpeedup, 59 * 0.005f, 1e-4);
    EXPECT_EQ(game.patternsCompleted, 0) << "no thread happened to match with this seed";
    EXPECT_GT(flushPresses, 40);
    EXPECT_EQ(game.score, 4 * flushPresses);
    EXPECT_EQ(game.bestScore, game.score);
    EXPECT_TRUE(result.record.due);
    EXPECT_EQ(result.record.levelValue, 59);
    EXPECT_EQ(result.record.count, 0);
}

TEST(ScriptedGame, DroppingEveryGemFillsTheBoardAndEndsTheGame) {
    PlayHarness play;
    Game& game = play.game;
    std::srand(77);
    startNewGame(game);

    int drops = 0;
    int frames = 0;
    int endFrame = -1;
    int stopFrame = -1;
    int firstDefeatFrame = -1;
    FrameResult result;
    while (!result.showEndScreen && frames < 64 * 600) {
        if (game.gemActive) {
            press(play, PlayKey::Space);
            ++drops;
        }
        if (endFrame >= 0) {
            press(play, PlayKey::P);
            EXPECT_FALSE(game.requests.pauseMusic) << "no pause once the column is full";
        }
        result = frame(play, frameSeconds);
        releasePauseLatch(game, false);
        ++frames;
        if (result.gameEndedNow) {
            EXPECT_EQ(endFrame, -1);
            endFrame = frames;
        }
        if (result.skipRestOfFrame) {
            EXPECT_EQ(stopFrame, -1);
            stopFrame = frames;
        }
        if (firstDefeatFrame < 0 && cuesOf(game, SoundEffectId::Defeat) > 0) {
            firstDefeatFrame = frames;
        }
    }

    ASSERT_TRUE(result.showEndScreen);
    EXPECT_TRUE(game.boardFull);
    EXPECT_FALSE(game.timeUp);
    EXPECT_EQ(stopFrame - endFrame, 22) << "the spawn delay of 0.35 s, in whole frames";
    EXPECT_EQ(firstDefeatFrame - endFrame, 65) << "more than 1 s";
    EXPECT_EQ(frames - endFrame, 6 * 64 + 1) << "more than 6 s";
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(game.level, 1);
    EXPECT_TRUE(result.record.due) << "0 equals the stored best of 0";
    EXPECT_EQ(result.record.levelValue, 0);
    EXPECT_EQ(result.record.count, 0);

    int gems = 0;
    for (int column = 0; column < 12; ++column) {
        const int height = columnHeight(game.board, column);
        gems += height;
        for (int row = 0; row < boardRows; ++row) {
            const GemKind kind = cell(game.board, row, column);
            EXPECT_EQ(kind != Empty, row >= boardRows - height) << "gap in column " << column;
            EXPECT_TRUE(kind == Empty || kind <= Gem70 || kind == Diamond || kind == Trash);
        }
    }
    EXPECT_EQ(gems, drops);
    EXPECT_EQ(columnHeight(game.board, 12), 0);
    EXPECT_EQ(game.fallRow, 0);
    EXPECT_NE(cell(game.board, 1, game.fallColumn), Empty);
}
