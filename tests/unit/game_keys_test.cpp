// The keys of the game screen: what each one does, and the guards under which it does nothing.
#include "game_testing.h"

namespace {

constexpr PlayKey L = PlayKey::Left, R = PlayKey::Right, Up = PlayKey::Up, Down = PlayKey::Down;
enum Guard { None, Paused, TimeUp, Flushing };

struct CursorCase {
    const char* why;
    GameMode mode;
    int start;
    Guard guard;
    std::vector<std::pair<double, PlayKey>> presses; // wait since the previous press, key
    int end;
};

const CursorCase cursorCases[] = {
    {"a refused press leaves the clock", Normal, 6, None, {{1, L}, {0.02, L}, {0.0101, L}}, 4},
    {"exactly 0.03 s is not enough", Normal, 6, None, {{1, L}, {0.03, R}}, 5},
    {"just over 0.03 s is", Normal, 6, None, {{1, L}, {0.031, R}}, 6},
    {"the edge restarts the clock", Normal, 0, None, {{1, L}, {0.02, R}}, 0},
    {"the tube is the limit", Normal, 11, None, {{1, R}, {1, R}}, 12},
    {"Right restarts the clock also at the limit", Normal, 12, None, {{1, R}, {0.02, L}}, 12},
    {"ColorLines stops before the tube", ColorLines, 10, None, {{1, R}, {1, R}}, 11},
    {"paused", Normal, 6, Paused, {{1, L}, {1, R}}, 6},
    {"time up", Normal, 6, TimeUp, {{1, L}, {1, R}}, 6},
    {"Left stays on the tube while flushing", Normal, 12, Flushing, {{1, L}}, 12},
    {"Right has no flush guard", Normal, 6, Flushing, {{1, R}}, 7},
    {"Down restarts the clock", Normal, 6, None, {{1, Down}, {0.02, L}}, 6},
    {"and an Up that flushes nothing", Normal, 12, None, {{1, Up}, {0.02, L}}, 12},
};

} // namespace

TEST(CursorKeys, MoveAtMostOncePerThreeHundredthsOfASecondWithinTheirGuards) {
    for (const CursorCase& c : cursorCases) {
        PlayHarness play;
        setModeParameters(play.game.mode, c.mode);
        play.game.cursorColumn = c.start;
        play.game.paused = c.guard == Paused;
        play.game.timeUp = c.guard == TimeUp;
        play.game.trashFlushing = c.guard == Flushing;
        for (const auto& [wait, key] : c.presses)
            press(play, key, wait);
        EXPECT_EQ(play.game.cursorColumn, c.end) << c.why;
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

TEST(SpaceKey, DropsTheGemAtOnceFromWhereItIsAndTheSpawnDelayCountsFromThere) {
    for (const auto& [column, fallRow, fallKind, row, after] :
         {std::tuple{"........", 0, 2, 7, ".......C"},
          {".....ABC", 1, 9, 4, "....#ABC"},
          {"......BC", 5, 0, 5, ".....ABC"},    // resting on B: it lands where it is
          {"....#ABC", 5, 8, 5, "....#*BC"}}) { // the start is never checked: the gem there is overwritten
        PlayHarness play;
        Game& game = play.game;
        game.fallColumn = 9;
        game.fallRow = fallRow;
        game.fallKind = fallKind;
        game.board = columnBoard(9, column);
        press(play, PlayKey::Space, 0.5);
        EXPECT_EQ(std::to_string(game.fallRow) + columnPicture(game.board, 9) + " " + cuesPicture(game),
                  std::to_string(row) + after + " GemFall");
        press(play, PlayKey::Space);
        EXPECT_EQ(columnPicture(game.board, 9) + cuesPicture(game), after) << "no gem until the next spawn";
        const Show active = [](const Game& g, const FrameResult&) { return g.gemActive ? "gem" : "-"; };
        EXPECT_EQ(trace(play, {0.34, 0.02}, active), "- gem") << "the delay of 0.35 s counts from the drop";
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
