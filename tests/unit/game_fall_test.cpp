// The falling gem: the hard-drop helper, the fall row by row, landing, the spawn delay and the stop
// when the column is full to the top.
#include "game_testing.h"

#include <cstdlib>

TEST(DropGem, FallsToTheBottomOfAnEmptyColumn) {
    Board board{};
    int row = 0;
    bool active = true;
    dropGem(board, row, 3, active, Gem70);
    EXPECT_EQ(row, 7);
    EXPECT_FALSE(active);
    EXPECT_EQ(columnPicture(board, 3), ".......C");
}

TEST(DropGem, StopsOnTheGemBelowAndNeverChecksItsStart) {
    Board board = boardFrom({"....A", "....B", "....C"});
    int row = 1;
    bool active = true;
    dropGem(board, row, 4, active, Trash);
    EXPECT_EQ(row, 4);
    EXPECT_EQ(columnPicture(board, 4), "....#ABC");

    row = 5; // the start cell holds B and the cell under it is taken: B is overwritten in place
    active = true;
    dropGem(board, row, 4, active, Diamond);
    EXPECT_EQ(row, 5);
    EXPECT_FALSE(active);
    EXPECT_EQ(columnPicture(board, 4), "....#*BC");
}

TEST(FallUpdate, MovesOneRowPerIntervalThenLandsWithASound) {
    PlayHarness play;
    Game& game = play.game;
    game.fallColumn = 2;
    game.fallKind = 1;
    game.board = boardFrom({"..A"}); // lands on row 6
    frame(play, 0.69);
    EXPECT_EQ(game.fallRow, 0);
    frame(play, 0.01); // 0.7 s: the normal interval of level 1
    EXPECT_EQ(game.fallRow, 1);
    for (int expected = 2; expected <= 6; ++expected) {
        frame(play, 0.7001);
        EXPECT_EQ(game.fallRow, expected);
    }
    EXPECT_TRUE(game.gemActive);
    EXPECT_EQ(cuesOf(game, SoundEffectId::GemFall), 0);
    // Resting on A the interval is 0: the next frame lands it, however short.
    frame(play, 0.001);
    EXPECT_FALSE(game.gemActive);
    EXPECT_TRUE(game.landed);
    EXPECT_EQ(columnPicture(game.board, 2), "......BA");
    ASSERT_EQ(game.requests.cueCount, 1);
    EXPECT_EQ(game.requests.cues[0].effect, SoundEffectId::GemFall);
    EXPECT_EQ(game.requests.cues[0].rule, CueRule::Restart);
}

TEST(FallUpdate, IntervalShrinksByTheSpeedupAndIsZeroWhenResting) {
    Game game;
    game.fallSpeedup = 0.1f;
    EXPECT_NEAR(fallInterval(game), 0.6f, 1e-6);
    game.mode.baseFallInterval = 0.2f;
    game.fallSpeedup = 0.0f;
    EXPECT_NEAR(fallInterval(game), 0.2f, 1e-6);
    game.board = boardFrom({"#"});
    game.fallRow = 6;
    EXPECT_EQ(fallInterval(game), 0.0f);
    game.fallRow = 7;
    game.board = Board{};
    EXPECT_EQ(fallInterval(game), 0.0f);

    PlayHarness play;
    play.game.fallSpeedup = 0.1f;
    frame(play, 0.59);
    EXPECT_EQ(play.game.fallRow, 0);
    frame(play, 0.02);
    EXPECT_EQ(play.game.fallRow, 1);
}

TEST(FallUpdate, LandingSoundOnlyWithSoundEnabled) {
    PlayHarness play;
    play.game.fallRow = 7;
    play.game.audio.soundEnabled = false;
    play.game.requests = Requests{};
    advance(play.time, 0.01);
    updatePlaying(play.game, play.fadeClock);
    EXPECT_FALSE(play.game.gemActive);
    EXPECT_EQ(play.game.requests.cueCount, 0);
}

TEST(FallUpdate, GemStandsStillWhilePausedOrAfterTheTimeRanOut) {
    PlayHarness play;
    togglePause(play.game);
    frame(play, 5.0);
    EXPECT_EQ(play.game.fallRow, 0);
    togglePause(play.game);
    play.game.timeUp = true;
    frame(play, 5.0);
    frame(play, 5.0);
    EXPECT_EQ(play.game.fallRow, 0);
    EXPECT_TRUE(play.game.gemActive);
}

TEST(Spawn, WaitsHalfOfPointSevenSecondsInEveryMode) {
    for (GameMode mode : {Normal, Hard, VeryHard, Casual}) {
        PlayHarness play;
        setModeParameters(play.game.mode, mode);
        play.game.fallRow = 7;
        frame(play, 0.01); // lands on the bottom
        ASSERT_TRUE(play.game.landed);
        frame(play, 0.34);
        EXPECT_FALSE(play.game.gemActive) << "mode " << mode;
        frame(play, 0.011);
        EXPECT_TRUE(play.game.gemActive) << "mode " << mode;
        EXPECT_FALSE(play.game.landed);
        EXPECT_EQ(play.game.fallRow, 0);
    }
}

TEST(Spawn, DelayShrinksWithTheSpeedup) {
    PlayHarness play;
    play.game.fallSpeedup = 0.1f; // (0.7 - 0.1) / 2 = 0.3 s
    play.game.fallRow = 7;
    frame(play, 0.01);
    frame(play, 0.29);
    EXPECT_FALSE(play.game.gemActive);
    frame(play, 0.02);
    EXPECT_TRUE(play.game.gemActive);
}

TEST(Spawn, DrawsTheColumnFirstThenTheKind) {
    for (unsigned seed : {3u, 17u, 4242u}) {
        std::srand(seed);
        const int column = std::rand() % 12;
        std::rand(); // the diamond-or-trash draw
        const int following = std::rand();

        PlayHarness play;
        play.game.mode.diamondChance = 100;
        play.game.mode.trashChance = 0;
        play.game.fallRow = 7;
        frame(play, 0.01);
        std::srand(seed);
        frame(play, 0.36);
        ASSERT_TRUE(play.game.gemActive);
        EXPECT_EQ(play.game.fallColumn, column);
        EXPECT_EQ(play.game.fallKind, 8);
        EXPECT_EQ(std::rand(), following) << "a spawn with a diamond draw takes exactly two numbers";
    }
}

TEST(Spawn, NewGemRestartsTheFallClock) {
    PlayHarness play;
    play.game.fallRow = 7;
    play.game.fallColumn = 5;
    frame(play, 0.01);
    frame(play, 0.36); // spawn
    ASSERT_TRUE(play.game.gemActive);
    frame(play, 0.69);
    EXPECT_EQ(play.game.fallRow, 0);
    frame(play, 0.02);
    EXPECT_EQ(play.game.fallRow, 1);
}

TEST(Spawn, FullColumnStopsTheGameAndSkipsTheRestOfTheFrame) {
    PlayHarness play;
    Game& game = play.game;
    game.fallColumn = 4;
    game.fallKind = 0;
    game.board = boardFrom({"....B", "....B", "....C", "....C", "....B", "....B", "....C"});
    FrameResult landing = frame(play, 0.001);
    EXPECT_EQ(columnPicture(game.board, 4), "ABBCCBBC");
    EXPECT_TRUE(landing.gameEndedNow) << "the end begins in the landing frame";
    EXPECT_FALSE(landing.skipRestOfFrame);
    FrameResult waiting = frame(play, 0.34);
    EXPECT_FALSE(waiting.skipRestOfFrame);
    FrameResult stop = frame(play, 0.02);
    EXPECT_TRUE(stop.skipRestOfFrame);
    EXPECT_TRUE(game.paused);
    EXPECT_FALSE(game.gemActive);
    EXPECT_FALSE(game.landed);
    EXPECT_FALSE(game.requests.pauseMusic) << "the stop is not a pause of the player's";
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(frame(play, 0.5).skipRestOfFrame) << "the stop happens once";
    }
    EXPECT_FALSE(game.gemActive);
    EXPECT_EQ(game.fallRow, 0);
    EXPECT_FALSE(pauseAllowed(game));
}
