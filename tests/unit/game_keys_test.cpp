// The keys of the game screen: what each one does, and the guards under which it does nothing.
#include "game_testing.h"

namespace {

constexpr PlayKey L = PlayKey::Left;
constexpr PlayKey R = PlayKey::Right;

struct CursorCase {
    const char* why;
    GameMode mode;
    int start;
    bool paused, timeUp, flushing;
    std::vector<std::pair<double, PlayKey>> presses; // wait since the previous press, key
    int end;
};

const CursorCase cursorCases[] = {
    {"a refused press leaves the clock", Normal, 6, false, false, false, {{1, L}, {0.02, L}, {0.0101, L}}, 4},
    {"exactly 0.03 s is not enough", Normal, 6, false, false, false, {{1, L}, {0.03, R}}, 5},
    {"just over 0.03 s is", Normal, 6, false, false, false, {{1, L}, {0.031, R}}, 6},
    {"the edge restarts the clock", Normal, 0, false, false, false, {{1, L}, {0.02, R}}, 0},
    {"the tube is the limit", Normal, 11, false, false, false, {{1, R}, {1, R}}, 12},
    {"Right restarts the clock too, also at the limit",
     Normal,
     12,
     false,
     false,
     false,
     {{1, R}, {0.02, L}},
     12},
    {"ColorLines stops before the tube", ColorLines, 10, false, false, false, {{1, R}, {1, R}}, 11},
    {"paused", Normal, 6, true, false, false, {{1, L}, {1, R}}, 6},
    {"time up", Normal, 6, false, true, false, {{1, L}, {1, R}}, 6},
    {"Left stays on the tube while flushing", Normal, 12, false, false, true, {{1, L}}, 12},
    {"Right has no flush guard", Normal, 6, false, false, true, {{1, R}}, 7},
    {"Down restarts the clock", Normal, 6, false, false, false, {{1, PlayKey::Down}, {0.02, L}}, 6},
    {"and an Up that flushes nothing", Normal, 12, false, false, false, {{1, PlayKey::Up}, {0.02, L}}, 12},
};

} // namespace

TEST(CursorKeys, MoveAtMostOncePerThreeHundredthsOfASecondWithinTheirGuards) {
    for (const CursorCase& c : cursorCases) {
        PlayHarness play;
        setModeParameters(play.game.mode, c.mode);
        play.game.cursorColumn = c.start;
        play.game.paused = c.paused;
        play.game.timeUp = c.timeUp;
        play.game.trashFlushing = c.flushing;
        for (const auto& [wait, key] : c.presses) {
            press(play, key, wait);
        }
        EXPECT_EQ(play.game.cursorColumn, c.end) << c.why;
    }
}

TEST(ThreadKeys, DownPullsAndUpPushesWithoutRateLimitUnlessPausedOrTimeUp) {
    for (int guard = 0; guard < 3; ++guard) {
        PlayHarness play;
        Game& game = play.game;
        game.cursorColumn = 1;
        game.board = boardFrom({".A", ".B"});
        game.paused = guard == 1;
        game.timeUp = guard == 2;
        press(play, PlayKey::Down, 1.0);
        press(play, PlayKey::Down);
        press(play, PlayKey::Up);
        const bool allowed = guard == 0;
        EXPECT_EQ(slotsPicture(game.thread), allowed ? "B......." : "........") << guard;
        EXPECT_EQ(columnPicture(game.board, 1), allowed ? ".......A" : "......AB") << guard;
        game.paused = game.timeUp = false;
        press(play, PlayKey::Left, 0.02);
        EXPECT_EQ(game.cursorColumn, allowed ? 1 : 0) << "only accepted keys restart the cursor clock";
    }
}

TEST(SpaceKey, DropsTheGemAtOnceFromWhereItIsAndTheSpawnDelayCountsFromThere) {
    const struct {
        const char* column;
        int fallRow, fallKind, row;
        const char* after;
    } cases[] = {
        {"........", 0, 2, 7, ".......C"},
        {".....ABC", 1, 9, 4, "....#ABC"},
        {"......BC", 5, 0, 5, ".....ABC"}, // resting on B: it lands where it is
        {"....#ABC", 5, 8, 5, "....#*BC"}, // the start is never checked: the gem there is overwritten
    };
    for (const auto& c : cases) {
        PlayHarness play;
        Game& game = play.game;
        game.fallColumn = 9;
        game.fallRow = c.fallRow;
        game.fallKind = c.fallKind;
        game.board = columnBoard(9, c.column);
        press(play, PlayKey::Space, 0.5);
        EXPECT_EQ(game.fallRow, c.row);
        EXPECT_EQ(columnPicture(game.board, 9) + " " + cuesPicture(game), std::string(c.after) + " GemFall");
        press(play, PlayKey::Space);
        EXPECT_EQ(columnPicture(game.board, 9) + cuesPicture(game), c.after) << "no gem until the next spawn";
        const Show active = [](const Game& g, const FrameResult&) { return g.gemActive ? "gem" : "-"; };
        EXPECT_EQ(trace(play, {0.34, 0.02}, active), "- gem") << "the delay of 0.35 s counts from the drop";
    }
}

TEST(PauseKey, TogglesOnceAPressOnlyWithTheGemInTheAirOverAnEmptyCell) {
    const struct {
        int fallRow; // over column 3, which holds a gem in row 7
        bool music, allowed;
    } cases[] = {{5, true, true}, {5, false, true}, {6, true, false}, {7, true, false}};
    for (const auto& c : cases) {
        PlayHarness play;
        Game& game = play.game;
        game.audio.musicEnabled = c.music;
        game.fallColumn = 3;
        game.fallRow = c.fallRow;
        game.board = boardFrom({"...A"});
        press(play, PlayKey::P);
        SCOPED_TRACE("row " + std::to_string(c.fallRow));
        EXPECT_EQ(game.paused, c.allowed);
        EXPECT_EQ(pausedByPlayer(game), c.allowed);
        EXPECT_NE(game.gemActive, c.allowed);
        EXPECT_EQ(game.requests.pauseMusic, c.allowed && c.music);
        releasePauseLatch(game, true);
        press(play, PlayKey::P);
        EXPECT_EQ(game.paused, c.allowed) << "a held key toggles once";
        releasePauseLatch(game, false);
        press(play, PlayKey::P);
        EXPECT_FALSE(game.paused);
        EXPECT_TRUE(game.gemActive);
        EXPECT_EQ(game.requests.resumeMusic, c.allowed && c.music);
    }
}

TEST(BackKey, LeavesTheGameUntouched) {
    PlayHarness play;
    play.game.board = boardFrom({"AB#"});
    EXPECT_EQ(press(play, PlayKey::B), KeyResult::BackToMenu);
    EXPECT_EQ(play.game.board, boardFrom({"AB#"}));
    EXPECT_TRUE(play.game.gemActive);
    EXPECT_EQ(press(play, PlayKey::Left), KeyResult::None);
}
