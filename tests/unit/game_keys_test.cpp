// The keys of the game screen: what each one does, and the guards under which it does nothing.
#include "game_testing.h"

namespace {

constexpr PlayKey L = PlayKey::Left, R = PlayKey::Right, Up = PlayKey::Up, Down = PlayKey::Down;
enum Guard { None, Paused, TimeUp, Flushing };

// Why, mode, start column, guard, the presses (wait since the previous press, key), end column.
using CursorCase =
    std::tuple<const char*, GameMode, int, Guard, std::vector<std::pair<double, PlayKey>>, int>;
const CursorCase cursorCases[] = {
    {"a refused press leaves the clock", Normal, 6, None, {{1, L}, {0.02, L}, {0.0101, L}}, 4},
    {"exactly 0.03 s is not enough", Normal, 6, None, {{1, L}, {0.03, R}}, 5},
    {"just over 0.03 s is", Normal, 6, None, {{1, L}, {0.031, R}}, 6},
    {"the edge restarts the clock", Normal, 0, None, {{1, L}, {0.02, R}}, 0},
    {"Right stops at the tube and restarts the clock there", Normal, 12, None, {{1, R}, {0.02, L}}, 12},
    {"ColorLines stops before the tube", ColorLines, 10, None, {{1, R}, {1, R}}, 11},
    {"paused", Normal, 6, Paused, {{1, L}, {1, R}}, 6},
    {"time up", Normal, 6, TimeUp, {{1, L}, {1, R}}, 6},
    {"Left stays on the tube while flushing", Normal, 12, Flushing, {{1, L}}, 12},
    {"Right has no flush guard", Normal, 6, Flushing, {{1, R}}, 7},
    {"Down restarts the clock", Normal, 6, None, {{1, Down}, {0.02, L}}, 6},
};

} // namespace

TEST(CursorKeys, MoveAtMostOncePerThreeHundredthsOfASecondWithinTheirGuards) {
    for (const auto& [why, mode, start, guard, presses, end] : cursorCases) {
        PlayHarness play;
        setModeParameters(play.game.mode, mode);
        play.game.cursorColumn = start;
        play.game.paused = guard == Paused;
        play.game.timeUp = guard == TimeUp;
        play.game.trashFlushing = guard == Flushing;
        for (const auto& [wait, key] : presses)
            press(play, key, wait);
        EXPECT_EQ(play.game.cursorColumn, end) << why;
    }
}

TEST(ThreadKeys, DownPullsAndUpPushesWithoutRateLimitUnlessPausedOrTimeUpAndBLeavesTheGame) {
    for (Guard guard : {None, Paused, TimeUp}) {
        PlayHarness play;
        Game& game = play.game;
        game.cursorColumn = 1;
        game.board = boardFrom({".A", ".B"});
        game.paused = guard == Paused;
        game.timeUp = guard == TimeUp;
        press(play, Down, 1.0);
        press(play, Down);
        press(play, Up);
        EXPECT_EQ(slotsPicture(game.thread) + " " + columnPicture(game.board, 1),
                  guard == None ? "B....... .......A" : "........ ......AB")
            << guard;
        game.paused = game.timeUp = false;
        press(play, L, 0.02);
        EXPECT_EQ(game.cursorColumn, guard == None ? 1 : 0) << "only accepted keys restart the cursor clock";
        const Board before = game.board;
        EXPECT_EQ(press(play, PlayKey::B), KeyResult::BackToMenu);
        EXPECT_EQ(press(play, R, 1.0), KeyResult::None);
        EXPECT_TRUE(game.board == before && game.cursorColumn == (guard == None ? 2 : 1));
    }
}

TEST(PauseKey, TogglesOnceAPressOnlyWithTheGemInTheAirOverAnEmptyCell) {
    // The gem stands over column 3, which holds a gem in row 7.
    for (const auto& [fallRow, music, allowed] :
         {std::tuple{5, true, true}, {5, false, true}, {6, true, false}, {7, true, false}}) {
        PlayHarness play;
        Game& game = play.game;
        game.audio.musicEnabled = music;
        game.fallColumn = 3;
        game.fallRow = fallRow;
        game.board = boardFrom({"...A"});
        press(play, PlayKey::P);
        SCOPED_TRACE("row " + std::to_string(fallRow));
        EXPECT_EQ(game.paused && pausedByPlayer(game) && !game.gemActive, allowed);
        EXPECT_EQ(game.paused || !game.gemActive, allowed);
        EXPECT_EQ(game.requests.pauseMusic, allowed && music);
        releasePauseLatch(game, true);
        press(play, PlayKey::P);
        EXPECT_EQ(game.paused, allowed) << "a held key toggles once";
        releasePauseLatch(game, false);
        press(play, PlayKey::P);
        EXPECT_TRUE(!game.paused && game.gemActive);
        EXPECT_EQ(game.requests.resumeMusic, allowed && music);
    }
}
