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
        if (columnHeight(board, column) > 0 &&
            (best < 0 || columnHeight(board, column) > columnHeight(board, best))) {
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

// What happened in a tidy player's game, as the test saw it from outside the rules.
struct TidyGame {
    Tally tally;
    int flushPresses = 0;
    double pausedAt = -1.0;
    int secondsLeftAtPause = 0;
    int secondsLeftAfterResume = 0;
    double timeOutAt = -1.0;
    bool lost = false;
    FrameResult last;
};

constexpr double pauseStart = 100.0;
constexpr double pauseLength = 30.0;

// The player's move before a frame: pause once after 100 s for 30 s, otherwise tidy up, and rest in
// the last ten seconds so that no points rise when the time runs out.
void tidyMove(PlayHarness& play, TidyGame& run) {
    Game& game = play.game;
    const double now = play.time.manualSeconds;
    if (run.pausedAt < 0.0 && now >= pauseStart && pauseAllowed(game)) {
        press(play, PlayKey::P);
        run.pausedAt = now;
        run.secondsLeftAtPause = game.secondsLeft;
        return;
    }
    if (game.paused && now >= run.pausedAt + pauseLength) {
        run.secondsLeftAtPause = game.secondsLeft; // no tick came during the pause
        press(play, PlayKey::P);
        run.secondsLeftAfterResume = -1;
        return;
    }
    if (game.level < 60 || game.secondsLeft > 10) {
        tidyUp(play, run.flushPresses);
    }
}

TidyGame playTidyGame(unsigned seed) {
    PlayHarness play;
    Game& game = play.game;
    setModeParameters(game.mode, Easy);
    std::srand(seed);
    startNewGame(game);
    TidyGame run;
    while (!run.last.showEndScreen && !run.lost && play.time.manualSeconds < 4000.0) {
        tidyMove(play, run);
        run.last = frame(play, frameSeconds);
        releasePauseLatch(game, false);
        count(run.tally, game);
        if (run.secondsLeftAfterResume < 0) {
            run.secondsLeftAfterResume = game.secondsLeft;
        }
        run.lost = game.boardFull;
        if (run.last.gameEndedNow) {
            run.timeOutAt = play.time.manualSeconds;
        }
    }
    EXPECT_EQ(game.level, 60);
    EXPECT_TRUE(game.timeUp);
    EXPECT_EQ(game.maxKindIndex, 7);
    EXPECT_NEAR(game.fallSpeedup, 59 * 0.005f, 1e-4);
    EXPECT_EQ(game.patternsCompleted, 0) << "no thread happened to match with this seed";
    EXPECT_EQ(game.score, 4 * run.flushPresses);
    EXPECT_EQ(game.bestScore, game.score);
    EXPECT_DOUBLE_EQ(play.time.manualSeconds, run.timeOutAt + 7.0) << "the end is looked at once a second";
    return run;
}

} // namespace

TEST(ScriptedGame, TidyPlayerLastsAllSixtyLevelsWithAPause) {
    const TidyGame run = playTidyGame(20240611);
    ASSERT_FALSE(run.lost);
    ASSERT_TRUE(run.last.showEndScreen);
    EXPECT_GE(run.pausedAt, 100.0);
    EXPECT_LT(run.pausedAt, 101.0);
    EXPECT_EQ(run.secondsLeftAtPause, 20) << "100 ticks before the pause, none during it";
    EXPECT_EQ(run.secondsLeftAfterResume, 19) << "the first tick comes at once after the pause";
    // Ticks at 1..100 s, the pause, a tick in the first frame after the resume, then the remaining
    // 3499 ticks a second apart.
    EXPECT_DOUBLE_EQ(run.timeOutAt, run.pausedAt + 30.0 + frameSeconds + 3499.0);
    EXPECT_EQ(run.tally.ticks, 3600 + 7);
    EXPECT_EQ(run.tally.levelRises, 59);
    EXPECT_EQ(run.tally.level11Cues, 5);
    EXPECT_EQ(run.tally.levelUpCues, 54);
    EXPECT_GT(run.flushPresses, 40);
    EXPECT_TRUE(run.last.record.due);
    EXPECT_EQ(run.last.record.levelValue, 59);
    EXPECT_EQ(run.last.record.count, 0);
}

namespace {

// What happened in a game where every gem is dropped at once, counted in frames.
struct DropGame {
    int drops = 0;
    int frames = 0;
    int endFrame = -1;
    int stopFrame = -1;
    int firstDefeatFrame = -1;
    bool pauseTaken = false;
    FrameResult last;
};

void dropMove(PlayHarness& play, DropGame& run) {
    if (play.game.gemActive) {
        press(play, PlayKey::Space);
        ++run.drops;
    }
    if (run.endFrame >= 0) {
        press(play, PlayKey::P);
        run.pauseTaken = run.pauseTaken || play.game.requests.pauseMusic;
    }
}

void noteFrame(DropGame& run, const Game& game) {
    ++run.frames;
    if (run.last.gameEndedNow) {
        EXPECT_EQ(run.endFrame, -1) << "the end begins once";
        run.endFrame = run.frames;
    }
    if (run.last.skipRestOfFrame) {
        EXPECT_EQ(run.stopFrame, -1) << "the spawn stops once";
        run.stopFrame = run.frames;
    }
    if (run.firstDefeatFrame < 0 && cuesOf(game, SoundEffectId::Defeat) > 0) {
        run.firstDefeatFrame = run.frames;
    }
}

// Every column stacked from the bottom without gaps, holding only the kinds of level 1, diamonds and
// trash; returns the number of gems in the play columns.
int checkStacks(const Board& board) {
    int gems = 0;
    for (int column = 0; column < 12; ++column) {
        const int height = columnHeight(board, column);
        gems += height;
        for (int row = 0; row < boardRows; ++row) {
            const GemKind kind = cell(board, row, column);
            EXPECT_EQ(kind != Empty, row >= boardRows - height) << "gap in column " << column;
            EXPECT_TRUE(kind == Empty || kind <= Gem70 || kind == Diamond || kind == Trash);
        }
    }
    return gems;
}

} // namespace

TEST(ScriptedGame, DroppingEveryGemFillsTheBoardAndEndsTheGame) {
    PlayHarness play;
    Game& game = play.game;
    std::srand(77);
    startNewGame(game);
    DropGame run;
    while (!run.last.showEndScreen && run.frames < 64 * 600) {
        dropMove(play, run);
        run.last = frame(play, frameSeconds);
        releasePauseLatch(game, false);
        noteFrame(run, game);
    }

    ASSERT_TRUE(run.last.showEndScreen);
    EXPECT_TRUE(game.boardFull);
    EXPECT_FALSE(game.timeUp);
    EXPECT_FALSE(run.pauseTaken) << "no pause once the column is full";
    EXPECT_EQ(run.stopFrame - run.endFrame, 22) << "the spawn delay of 0.35 s, in whole frames";
    EXPECT_EQ(run.firstDefeatFrame - run.endFrame, 65) << "more than 1 s";
    EXPECT_EQ(run.frames - run.endFrame, 6 * 64 + 1) << "more than 6 s";
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(game.level, 1);
    EXPECT_TRUE(run.last.record.due) << "0 equals the stored best of 0";
    EXPECT_EQ(run.last.record.levelValue, 0);
    EXPECT_EQ(run.last.record.count, 0);
    EXPECT_EQ(checkStacks(game.board), run.drops);
    EXPECT_EQ(columnHeight(game.board, 12), 0);
    EXPECT_EQ(game.fallRow, 0);
    EXPECT_NE(cell(game.board, 1, game.fallColumn), Empty);
}
