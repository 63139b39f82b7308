// The keys of the game screen: what each one does, and the guards under which it does nothing.
#include "game_testing.h"

namespace {

// A game some time into play, so the key-repeat clock is long past its 0.03 s.
void settle(PlayHarness& play) {
    advance(play.time, 1.0);
}

} // namespace

TEST(SpaceKey, DropsTheGemAtOnceAndStartsTheSpawnDelay) {
    PlayHarness play;
    Game& game = play.game;
    game.fallColumn = 9;
    game.fallKind = 2;
    game.fallRow = 1;
    game.board = boardFrom({".........A", ".........B"});
    settle(play);
    press(play, PlayKey::Space);
    EXPECT_EQ(game.fallRow, 5);
    EXPECT_EQ(columnPicture(game.board, 9), ".....CAB");
    EXPECT_FALSE(game.gemActive);
    EXPECT_TRUE(game.landed);
    EXPECT_EQ(cuesOf(game, SoundEffectId::GemFall), 1);
    frame(play, 0.34);
    EXPECT_FALSE(game.gemActive) << "the delay counts from the drop";
    frame(play, 0.02);
    EXPECT_TRUE(game.gemActive);
}

TEST(SpaceKey, OnAGemRestingOnAnotherLandsItWhereItIs) {
    PlayHarness play;
    play.game.fallColumn = 0;
    play.game.fallRow = 5;
    play.game.board = boardFrom({"B", "B"});
    press(play, PlayKey::Space);
    EXPECT_EQ(columnPicture(play.game.board, 0), ".....ABB");
}

TEST(SpaceKey, RefusedWithoutAnActiveGem) {
    PlayHarness play;
    Game& game = play.game;
    game.fallRow = 7;
    frame(play, 0.01); // landed; the spawn delay runs
    const Board before = game.board;
    press(play, PlayKey::Space);
    EXPECT_EQ(boardPicture(game.board), boardPicture(before));
    EXPECT_EQ(game.requests.cueCount, 0);

    PlayHarness paused;
    togglePause(paused.game);
    press(paused, PlayKey::Space);
    EXPECT_EQ(boardPicture(paused.game.board), boardPicture(Board{}));
    EXPECT_FALSE(paused.game.landed);
}

TEST(CursorKeys, MoveAtMostOncePerThreeHundredthsOfASecond) {
    PlayHarness play;
    Game& game = play.game;
    settle(play);
    press(play, PlayKey::Left);
    EXPECT_EQ(game.cursorColumn, 5);
    advance(play.time, 0.02);
    press(play, PlayKey::Left);
    EXPECT_EQ(game.cursorColumn, 5) << "a refused press does not restart the clock...";
    advance(play.time, 0.0101);
    press(play, PlayKey::Left);
    EXPECT_EQ(game.cursorColumn, 4) << "...so 0.03 s after the first move the next one comes";
    advance(play.time, 0.03);
    press(play, PlayKey::Right);
    EXPECT_EQ(game.cursorColumn, 4) << "exactly 0.03 s is not enough";
    advance(play.time, 0.001);
    press(play, PlayKey::Right);
    EXPECT_EQ(game.cursorColumn, 5);
}

TEST(CursorKeys, StopAtTheEdgesButStillRestartTheClock) {
    PlayHarness play;
    Game& game = play.game;
    game.cursorColumn = 0;
    settle(play);
    press(play, PlayKey::Left);
    EXPECT_EQ(game.cursorColumn, 0);
    advance(play.time, 0.02);
    press(play, PlayKey::Right);
    EXPECT_EQ(game.cursorColumn, 0) << "the refused move at the edge restarted the clock";
    advance(play.time, 0.02);
    press(play, PlayKey::Right);
    EXPECT_EQ(game.cursorColumn, 1);

    game.cursorColumn = 11;
    for (int i = 0; i < 3; ++i) {
        advance(play.time, 0.05);
        press(play, PlayKey::Right);
    }
    EXPECT_EQ(game.cursorColumn, 12) << "the tube is the limit";
}

TEST(CursorKeys, ColorLinesStopsBeforeTheTube) {
    PlayHarness play;
    setModeParameters(play.game.mode, ColorLines);
    play.game.cursorColumn = 10;
    for (int i = 0; i < 3; ++i) {
        advance(play.time, 0.05);
        press(play, PlayKey::Right);
    }
    EXPECT_EQ(play.game.cursorColumn, 11);
}

TEST(CursorKeys, RefusedWhilePausedAfterTimeOutAndLeftDuringAFlush) {
    PlayHarness play;
    Game& game = play.game;
    settle(play);
    game.paused = true;
    press(play, PlayKey::Left);
    press(play, PlayKey::Right);
    EXPECT_EQ(game.cursorColumn, 6);
    game.paused = false;
    game.timeUp = true;
    press(play, PlayKey::Left);
    press(play, PlayKey::Right);
    EXPECT_EQ(game.cursorColumn, 6);
    game.timeUp = false;
    game.trashFlushing = true;
    press(play, PlayKey::Left);
    EXPECT_EQ(game.cursorColumn, 6);
    press(play, PlayKey::Right);
    EXPECT_EQ(game.cursorColumn, 7) << "Right has no flush guard";
}

TEST(ThreadKeys, DownPullsAndUpPushesWithoutRateLimit) {
    PlayHarness play;
    Game& game = play.game;
    game.cursorColumn = 1;
    game.board = boardFrom({".A", ".B"});
    settle(play);
    press(play, PlayKey::Down);
    press(play, PlayKey::Down);
    EXPECT_EQ(slotsPicture(game.thread), "AB......");
    EXPECT_EQ(columnPicture(game.board, 1), "........");
    press(play, PlayKey::Up);
    EXPECT_EQ(slotsPicture(game.thread), "B.......");
    EXPECT_EQ(columnPicture(game.board, 1), ".......A");
}

TEST(ThreadKeys, UpAndDownRestartTheCursorClock) {
    PlayHarness play;
    Game& game = play.game;
    settle(play);
    press(play, PlayKey::Down); // nothing to pull, the clock restarts all the same
    advance(play.time, 0.02);
    press(play, PlayKey::Left);
    EXPECT_EQ(game.cursorColumn, 6);
    game.cursorColumn = 12;
    advance(play.time, 1.0);
    press(play, PlayKey::Down); // no pull from the tube
    advance(play.time, 0.02);
    press(play, PlayKey::Left);
    EXPECT_EQ(game.cursorColumn, 12);
    advance(play.time, 1.0);
    press(play, PlayKey::Up); // an empty thread cannot be flushed
    EXPECT_FALSE(game.trashFlushing);
    advance(play.time, 0.02);
    press(play, PlayKey::Left);
    EXPECT_EQ(game.cursorColumn, 12);
}

TEST(ThreadKeys, RefusedWhilePausedOrAfterTimeOut) {
    for (bool timeOut : {false, true}) {
        PlayHarness play;
        Game& game = play.game;
        game.cursorColumn = 0;
        game.board = boardFrom({"A"});
        game.thread = slotsFrom("B");
        game.paused = !timeOut;
        game.timeUp = timeOut;
        settle(play);
        press(play, PlayKey::Down);
        press(play, PlayKey::Up);
        EXPECT_EQ(slotsPicture(game.thread), "B.......");
        EXPECT_EQ(columnPicture(game.board, 0), ".......A");
        press(play, PlayKey::Left);
        game.paused = false;
        game.timeUp = false;
        press(play, PlayKey::Right);
        EXPECT_EQ(game.cursorColumn, 1) << "the refused keys left the cursor clock alone";
    }
}

TEST(PauseKey, TogglesOnlyWithTheGemInTheAirOverAnEmptyCell) {
    PlayHarness play;
    Game& game = play.game;
    game.fallColumn = 3;
    game.fallRow = 5;
    game.board = boardFrom({"...A"});
    press(play, PlayKey::P);
    EXPECT_TRUE(game.paused);
    EXPECT_FALSE(game.gemActive);
    EXPECT_TRUE(game.requests.pauseMusic);
    releasePauseLatch(game, false);
    press(play, PlayKey::P);
    EXPECT_FALSE(game.paused);
    EXPECT_TRUE(game.gemActive);
    EXPECT_TRUE(game.requests.resumeMusic);
    releasePauseLatch(game, false);

    game.fallRow = 6; // resting on A
    press(play, PlayKey::P);
    EXPECT_FALSE(game.paused);
    game.fallRow = 7;
    game.fallColumn = 0;
    press(play, PlayKey::P);
    EXPECT_FALSE(game.paused);
    EXPECT_FALSE(game.pauseLatch);
}

TEST(PauseKey, RefusedDuringTheSpawnDelay) {
    PlayHarness play;
    play.game.fallRow = 5;
    play.game.board = boardFrom({"B", "B"});
    frame(play, 0.001); // lands on row 5
    ASSERT_TRUE(play.game.landed);
    press(play, PlayKey::P);
    EXPECT_FALSE(play.game.paused);
}

TEST(PauseKey, AHeldKeyTogglesOnce) {
    PlayHarness play;
    Game& game = play.game;
    press(play, PlayKey::P);
    EXPECT_TRUE(game.pauseLatch);
    releasePauseLatch(game, true);
    press(play, PlayKey::P);
    press(play, PlayKey::P);
    EXPECT_TRUE(game.paused);
    releasePauseLatch(game, false);
    EXPECT_FALSE(game.pauseLatch);
    press(play, PlayKey::P);
    EXPECT_FALSE(game.paused);
}

TEST(PauseKey, MusicIsLeftAloneWhenSwitchedOff) {
    PlayHarness play;
    play.game.audio.musicEnabled = false;
    press(play, PlayKey::P);
    EXPECT_TRUE(play.game.paused);
    EXPECT_FALSE(play.game.requests.pauseMusic);
    releasePauseLatch(play.game, false);
    press(play, PlayKey::P);
    EXPECT_FALSE(play.game.paused);
    EXPECT_FALSE(play.game.requests.resumeMusic);
}

TEST(BackKey, LeavesTheGameUntouched) {
    PlayHarness play;
    Game& game = play.game;
    game.board = boardFrom({"AB#"});
    game.thread = slotsFrom("CC");
    game.score = 12;
    EXPECT_EQ(press(play, PlayKey::B), KeyResult::BackToMenu);
    EXPECT_EQ(boardPicture(game.board), boardPicture(boardFrom({"AB#"})));
    EXPECT_EQ(slotsPicture(game.thread), "CC......");
    EXPECT_EQ(game.score, 12);
    EXPECT_TRUE(game.gemActive);
    EXPECT_EQ(press(play, PlayKey::Left), KeyResult::None);
}
