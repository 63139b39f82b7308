// Points reaching the score and the rising read-out, the near-full warning, the cue rules, and the two
// ends of a game with the result handed to the store.
#include "game_testing.h"

namespace {

// Quiet play: no falling gem, so only the clock, the points and the end rules act.
void onLevel(PlayHarness& play, GameMode mode, int level, int secondsLeft) {
    setModeParameters(play.game.mode, mode);
    play.game.gemActive = false;
    play.game.level = level;
    play.game.secondsLeft = secondsLeft;
}

// "<score>/<best> <read-out points>@<its x>:<its progress>", and " shown" when the end screen shows.
std::string points(const Game& game, const FrameResult& result) {
    return std::to_string(game.score) + "/" + std::to_string(game.bestScore) + " " +
           std::to_string(game.popupPoints) + "@" + std::to_string(static_cast<int>(game.popupX)) + ":" +
           std::to_string(static_cast<int>(game.popupProgress)) + (result.showEndScreen ? " shown" : "");
}

} // namespace

TEST(Cues, NearFullAlertsOnceAndOnceIsRefusedWhilePlayingAndNothingStartsWithSoundOff) {
    // Columns 1 and 4 are taken in rows 1 and 2; a column taken from row 2 only, or the tube, is not.
    const Board nearFull = boardFrom({".A..B", ".A..B", ".A..B", ".A..B", ".A..B", ".A..B", ".A..B"});
    for (const auto& [board, boardFull, sound, playing, cues] :
         {std::tuple{nearFull, false, true, false, "Alert!"},
          {nearFull, true, true, false, ""},
          {nearFull, false, false, false, ""},
          {nearFull, false, true, true, ""},
          {columnBoard(1, "..AAAAAA"), false, true, false, ""},
          {columnBoard(12, ".#######"), false, true, false, ""}}) {
        Game game;
        game.board = board;
        game.boardFull = boardFull;
        game.audio.soundEnabled = sound;
        game.audio.playing[static_cast<int>(SoundEffectId::Alert)] = playing;
        nearFullWarning(game);
        EXPECT_EQ(cuesPicture(game), cues);
    }
}

TEST(GameEnd, BothEndsCueTheirSoundShowTheEndScreenAndRecordOnlyABestScore) {
    // A board-full end begins in its first frame, a time-out on the tick that empties level 60; the
    // sound comes more than 1 s later, the end screen more than 6 s later, a time-out's on a tick. The
    // harness takes the sound of the frame before as finished, so each later look asks for it again.
    const std::vector<double> boardFull = {0.01, 1.0, 0.01, 4.99, 0.01};
    const std::vector<double> timeOut = {1, 1, 1, 1, 1, 1, 1, 1, 0.99, 0.01};
    for (const auto& [full, mode, level, score, best, sound, expected] :
         {std::tuple{true, Normal, 12, 40, 40, true,
                     "end+stop+Alert! - Applause! Applause! Applause!+shown:11/3"},
          {true, ColorLines, 5, 0, 0, false, "end+stop - - - shown:4/5"},
          {true, Casual, 1, 0, 0, false, "end+stop - - - shown"},
          {false, Normal, 60, 10, 11, true,
           "- end+stop - Applause! Applause! Applause! Applause! Applause! - Applause!+shown"},
          {false, Normal, 60, 300, 300, false, "- end+stop - - - - - - - shown:59/3"},
          {false, Casual, 60, 0, 0, false, "- - - - - - - - - -"}}) { // Casual has no clock
        PlayHarness play;
        Game& game = play.game;
        onLevel(play, mode, level, full ? 30 : 2);
        game.score = score;
        game.bestScore = best;
        game.audio.soundEnabled = sound;
        game.patternsCompleted = 3;
        game.colorLinesCount = 5;
        game.board = full ? columnBoard(0, "ABCABCAB") : Board{}; // where the falling gem stands
        EXPECT_EQ(trace(play, full ? boardFull : timeOut, ending), expected)
            << "mode " << mode << " level " << level;
        // The end screen starts its fade as it shows; in the game that never ends it has run all 9 s.
        EXPECT_NEAR(elapsedSeconds(play.fadeClock), full || mode != Casual ? 0.0 : 9.0, 1e-4);
    }
}

TEST(PointsStep, MovesThePointsIntoScoreAndBestAndTheirRisingReadOutHoldsBackTheEndScreen) {
    // One read-out step per 0.02 s at the cursor's column; after 100 steps it is gone. Each step restarts
    // the fade timer that the end of a full board waits on before its end screen.
    PlayHarness play;
    Game& game = play.game;
    onLevel(play, Normal, 1, 60);
    game.board = columnBoard(0, "ABCABCAB");
    game.score = 30;
    game.bestScore = 33;
    game.cursorColumn = 3;
    game.pointsThisFrame = 6;
    EXPECT_EQ(trace(play, {0.5, 0.019, 0.001}, points), "36/36 6@630:0 36/36 6@630:0 36/36 6@630:1");
    trace(play, std::vector<double>(97, 0.025), points);
    EXPECT_EQ(trace(play, std::vector<double>(2, 0.025), points), "36/36 6@630:99 36/36 0@630:100");
    EXPECT_EQ(trace(play, {5.99, 0.02}, points), "36/36 0@630:100 36/36 0@630:100 shown");
}
