// Whole games played from startNewGame to the end screen, driven only by key presses and a manual
// clock of 64 frames per second (a power of two, so every frame time is exact).
#include "game_testing.h"

#include <cstdlib>

namespace {

constexpr double frameSeconds = 1.0 / 64.0;

int columnHeight(const Board& board, int column) {
    int height = 0;
    for (int row = 0; row < boardRows; ++row) {
        height += cell(board, row, column) != Empty ? 1 : 0;
    }
    return height;
}

// A tidy player: pulls gems from the tallest column and flushes every full thread into the tube.
void tidyUp(PlayHarness& play, int& flushes) {
    const Game& game = play.game;
    if (threadFull(game.thread)) {
        const PlayKey key = game.cursorColumn < trashColumn ? PlayKey::Right : PlayKey::Up;
        flushes += key == PlayKey::Up ? 1 : 0;
        press(play, key);
        return;
    }
    int target = -1;
    for (int column = 0; column < trashColumn; ++column) {
        if (columnHeight(game.board, column) > (target < 0 ? 0 : columnHeight(game.board, target))) {
            target = column;
        }
    }
    if (target >= 0) {
        const int cursor = game.cursorColumn;
        press(play, cursor < target ? PlayKey::Right : cursor > target ? PlayKey::Left : PlayKey::Down);
    }
}

struct TidyRun {
    int ticks = 0, levelRises = 0, flushes = 0;
    std::string levelCues;
    double pausedAt = -1.0, resumedAt = -1.0, endedAt = -1.0;
    FrameResult last;
};

// The player's move before a frame: one pause of 30 s once 100 s have passed, otherwise tidying up,
// resting in the last ten seconds so that no points rise when the time runs out.
void tidyMove(PlayHarness& play, TidyRun& run) {
    const Game& game = play.game;
    const double now = play.time.manualSeconds;
    const bool animating =
        game.trashFlushing || game.threadClearing || game.patternMatched || game.patternRefill;
    if (run.pausedAt < 0.0 && now >= 100.0 && pauseAllowed(game)) {
        run.pausedAt = now;
        EXPECT_EQ(game.secondsLeft, 20) << "100 ticks before the pause";
        press(play, PlayKey::P);
    } else if (game.paused && now >= run.pausedAt + 30.0) {
        run.resumedAt = now;
        EXPECT_EQ(game.secondsLeft, 20) << "none during it";
        press(play, PlayKey::P);
    } else if (!game.paused && !animating && (game.level < 60 || game.secondsLeft > 10)) {
        tidyUp(play, run.flushes);
    }
}

void noteTidyFrame(TidyRun& run, const Game& game, double now) {
    run.ticks += game.requests.clockTicked ? 1 : 0;
    run.levelRises += game.requests.levelRose ? 1 : 0;
    const std::string cues = cuesPicture(game);
    run.levelCues += cues.find("Level11Up!") != std::string::npos ? "N" : "";
    run.levelCues += cues.find("LevelUp!") != std::string::npos ? "l" : "";
    if (now == run.resumedAt + frameSeconds) {
        EXPECT_EQ(game.secondsLeft, 19) << "the first tick comes at once after the pause";
    }
    if (run.last.gameEndedNow) {
        run.endedAt = now;
    }
}

} // namespace

TEST(ScriptedGame, TidyPlayerLastsAllSixtyLevelsWithAPause) {
    PlayHarness play;
    Game& game = play.game;
    setModeParameters(game.mode, Easy);
    std::srand(20240611);
    startNewGame(game);
    TidyRun run;
    while (!run.last.showEndScreen && !game.boardFull && play.time.manualSeconds < 4000.0) {
        tidyMove(play, run);
        run.last = frame(play, frameSeconds);
        releasePauseLatch(game, false);
        noteTidyFrame(run, game, play.time.manualSeconds);
    }
    ASSERT_TRUE(run.last.showEndScreen);
    EXPECT_EQ(game.level, 60);
    EXPECT_TRUE(game.timeUp);
    EXPECT_EQ(game.maxKindIndex, 7);
    EXPECT_NEAR(game.fallSpeedup, 59 * 0.005f, 1e-4);
    EXPECT_LT(run.pausedAt, 101.0);
    // A tick in the first frame after the resume, then the remaining 3499 ticks a second apart; the
    // end is looked at once a second, so the end screen comes 7 s after the time ran out.
    EXPECT_DOUBLE_EQ(run.endedAt, run.resumedAt + frameSeconds + 3499.0);
    EXPECT_DOUBLE_EQ(play.time.manualSeconds, run.endedAt + 7.0);
    EXPECT_EQ(run.ticks, 3600 + 7);
    EXPECT_EQ(run.levelRises, 59);
    // The level-up sound ('l') on levels 2 to 60 but 11, 21, 31, 41 and 51, which have the new kind's ('N').
    EXPECT_EQ(run.levelCues, "lllllllllNlllllllllNlllllllllNlllllllllNlllllllllNlllllllll");
    EXPECT_GT(run.flushes, 40);
    EXPECT_EQ(game.patternsCompleted, 0) << "no thread happened to match with this seed";
    EXPECT_EQ(game.score, 4 * run.flushes);
    EXPECT_EQ(game.bestScore, game.score);
    EXPECT_TRUE(run.last.record.due);
    EXPECT_EQ(run.last.record.levelValue, 59);
    EXPECT_EQ(run.last.record.count, 0);
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
    int defeatFrame = -1;
    FrameResult last;
    while (!last.showEndScreen && frames < 64 * 600) {
        if (game.gemActive) {
            press(play, PlayKey::Space);
            ++drops;
        }
        if (endFrame >= 0) {
            press(play, PlayKey::P);
            EXPECT_FALSE(game.requests.pauseMusic) << "no pause once the column is full";
        }
        last = frame(play, frameSeconds);
        releasePauseLatch(game, false);
        ++frames;
        endFrame = last.gameEndedNow ? frames : endFrame;
        stopFrame = last.skipRestOfFrame ? frames : stopFrame;
        const bool defeat = cuesPicture(game).find("Defeat!") != std::string::npos;
        defeatFrame = defeatFrame < 0 && defeat ? frames : defeatFrame;
    }
    ASSERT_TRUE(last.showEndScreen);
    EXPECT_TRUE(game.boardFull && game.paused);
    EXPECT_FALSE(pausedByPlayer(game)) << "the stop is not the player's pause";
    EXPECT_FALSE(game.timeUp);
    EXPECT_EQ(stopFrame - endFrame, 22) << "the spawn delay of 0.35 s, in whole frames";
    EXPECT_EQ(defeatFrame - endFrame, 65) << "more than 1 s";
    EXPECT_EQ(frames - endFrame, 6 * 64 + 1) << "more than 6 s";
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.score, 0);
    EXPECT_TRUE(last.record.due) << "0 equals the stored best of 0";
    EXPECT_EQ(last.record.levelValue, 0);
    EXPECT_EQ(last.record.count, 0);
    // Every play column stacked from the bottom without gaps, holding only level 1's kinds, diamonds
    // and trash, one gem per drop; the tube empty; the last gem on top of a full column.
    int gems = 0;
    for (int column = 0; column < boardColumns; ++column) {
        const int height = columnHeight(game.board, column);
        gems += height;
        const std::string picture = columnPicture(game.board, column);
        EXPECT_EQ(picture.find_first_not_of('.'),
                  height == 0 ? std::string::npos : size_t(boardRows - height));
        EXPECT_EQ(picture.find_first_not_of(".ABC*#"), std::string::npos) << picture;
    }
    EXPECT_EQ(gems, drops);
    EXPECT_EQ(columnHeight(game.board, trashColumn), 0);
    EXPECT_EQ(columnHeight(game.board, game.fallColumn), boardRows);
}
