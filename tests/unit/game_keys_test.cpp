// The keys of the game screen: what each one does, and the guards under which it does nothing.
#include "game_testing.h"

namespace {

constexpr PlayKey L = PlayKey::Left, R = PlayKey::Right, Up = PlayKey::Up, Down = PlayKey::Down;
enum Guard { None, Paused, TimeUp, Flushing };

// Why, mode, start column, guard, the presses (wait since the previous press, key), then the cursor's
// column and the thread. Every play column holds A over B at its bottom.
using KeyCase =
    std::tuple<const char*, GameMode, int, Guard, std::vector<std::pair<double, PlayKey>>, const char*>;
const KeyCase keyCases[] = {
    {"a refused press leaves the clock", Normal, 6, None, {{1, L}, {0.02, L}, {0.0101, L}}, "4 ........"},
    {"exactly 0.03 s is not enough", Normal, 6, None, {{1, L}, {0.03, R}}, "5 ........"},
    {"the edge restarts the clock", Normal, 0, None, {{1, L}, {0.02, R}}, "0 ........"},
    {"Right stops at the tube and restarts the clock there",
     Normal,
     12,
     None,
     {{1, R}, {0.02, L}},
     "12 ........"},
    {"ColorLines stops before the tube", ColorLines, 10, None, {{1, R}, {1, R}}, "11 ........"},
    {"Left stays on the tube while flushing", Normal, 12, Flushing, {{1, L}}, "12 ........"},
    {"Right has no flush guard", Normal, 6, Flushing, {{1, R}}, "7 ........"},
    {"Down and Up need no wait", Normal, 1, None, {{1, Down}, {0, Down}, {0, Up}}, "1 B......."},
    {"Down restarts the clock", Normal, 6, None, {{1, Down}, {0.02, L}}, "6 B......."},
    {"so does Up", Normal, 6, None, {{1, Down}, {1, Up}, {0.02, L}}, "6 ........"},
    {"B leaves the clock", Normal, 6, None, {{1, PlayKey::B}, {0.02, L}}, "5 ........"},
    {"paused", Normal, 6, Paused, {{1, L}, {1, Down}}, "6 ........"},
    {"time up", Normal, 6, TimeUp, {{1, R}, {1, Down}}, "6 ........"},
};

} // namespace

TEST(PlayKeys, CursorMovesAtMostOncePerThreeHundredthsOfASecondThreadKeysAtOnceAndBLeavesTheGame) {
    for (const auto& [why, mode, start, guard, presses, expected] : keyCases) {
        PlayHarness play;
        setModeParameters(play.game.mode, mode);
        play.game.board = boardFrom({"AAAAAAAAAAAA", "BBBBBBBBBBBB"});
        play.game.cursorColumn = start;
        play.game.paused = guard == Paused;
        play.game.timeUp = guard == TimeUp;
        play.game.trashFlushing = guard == Flushing;
        for (const auto& [wait, key] : presses)
            EXPECT_EQ(press(play, key, wait), key == PlayKey::B ? KeyResult::BackToMenu : KeyResult::None);
        EXPECT_EQ(std::to_string(play.game.cursorColumn) + " " + slotsPicture(play.game.thread), expected)
            << why;
    }
}

TEST(PauseKey, TogglesOnceAPressOnlyWithTheGemInTheAirOverAnEmptyCell) {
    // The gem stands over column 3, which holds a gem in row 7. After each press of P, the second one
    // with the key held down: paused, gem active, music paused, music resumed.
    for (const auto& [fallRow, music, expected] : {std::tuple{5, true, "1010 1000 0101 "},
                                                   {5, false, "1000 1000 0100 "},
                                                   {6, true, "0100 0100 0100 "},
                                                   {7, true, "0100 0100 0100 "}}) {
        PlayHarness play;
        Game& game = play.game;
        game.audio.musicEnabled = music;
        game.fallColumn = 3;
        game.fallRow = fallRow;
        game.board = boardFrom({"...A"});
        std::string seen;
        for (const bool held : {false, true, false}) {
            releasePauseLatch(game, held);
            press(play, PlayKey::P);
            seen += std::to_string(game.paused) + std::to_string(game.gemActive) +
                    std::to_string(game.requests.pauseMusic) + std::to_string(game.requests.resumeMusic) +
                    " ";
        }
        EXPECT_EQ(seen, expected) << "row " << fallRow;
    }
}
