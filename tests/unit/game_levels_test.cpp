// The level clock: its once-a-second tick, level-ups with their new kinds, speed and sounds, the pause,
// and the two ends of a game with the result handed to the store.
#include "game_testing.h"

namespace {

// Quiet play: no falling gem, so only the clock and the end rules act.
void quiet(PlayHarness& play) {
    play.game.gemActive = false;
}

void onLevel(PlayHarness& play, int level, int secondsLeft) {
    play.game.level = level;
    play.game.secondsLeft = secondsLeft;
    play.game.maxKindIndex = level > 50 ? 7 : (level - 1) / 10 + 2;
}

// A board whose column 0 is filled to the top, where the falling gem stands.
void fillColumnZero(Game& game) {
    game.board = boardFrom({"A", "B", "C", "A", "B", "C", "A", "B"});
    game.fallColumn = 0;
}

} // namespace

TEST(LevelClock, TicksOncePerSecond) {
    PlayHarness play;
    quiet(play);
    frame(play, 0.99);
    EXPECT_EQ(play.game.secondsLeft, 60);
    frame(play, 0.01);
    EXPECT_EQ(play.game.secondsLeft, 59);
    EXPECT_TRUE(play.game.requests.clockTicked);
    frame(play, 0.5);
    EXPECT_FALSE(play.game.requests.clockTicked);
    frame(play, 0.5);
    EXPECT_EQ(play.game.secondsLeft, 58);
}

TEST(LevelClock, CasualHasNoCountdown) {
    PlayHarness play;
    quiet(play);
    setModeParameters(play.game.mode, Casual);
    play.game.secondsLeft = 1;
    for (int i = 0; i < 5; ++i) {
        frame(play, 1.0);
    }
    EXPECT_EQ(play.game.secondsLeft, 1);
    EXPECT_EQ(play.game.level, 1);
}

TEST(LevelClock, PauseStopsTheCountdownAndOneTickComesAtOnceAfterIt) {
    PlayHarness play;
    Game& game = play.game;
    frame(play, 0.5);
    togglePause(game);
    for (int i = 0; i < 100; ++i) {
        frame(play, 1.0);
    }
    EXPECT_EQ(game.secondsLeft, 60);
    togglePause(game);
    frame(play, 0.001);
    EXPECT_EQ(game.secondsLeft, 59) << "the clock ran on during the pause";
    frame(play, 0.99);
    EXPECT_EQ(game.secondsLeft, 59) << "one tick, not a burst";
    frame(play, 0.01);
    EXPECT_EQ(game.secondsLeft, 58);
}

TEST(LevelUp, AfterSixtySecondsTheLevelRisesAndTheGameSpeedsUp) {
    PlayHarness play;
    Game& game = play.game;
    quiet(play);
    setModeParameters(game.mode, Hard);
    for (int second = 1; second < 60; ++second) {
        frame(play, 1.0);
    }
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.secondsLeft, 1);
    frame(play, 1.0);
    EXPECT_EQ(game.level, 2);
    EXPECT_EQ(game.secondsLeft, 60);
    EXPECT_TRUE(game.requests.levelRose);
    EXPECT_EQ(game.maxKindIndex, 2);
    EXPECT_NEAR(game.fallSpeedup, 0.005f, 1e-7);
    EXPECT_EQ(cuesOf(game, SoundEffectId::LevelUp), 1);
    EXPECT_EQ(cuesOf(game, SoundEffectId::Level11Up), 0);
    EXPECT_NEAR(fallInterval(game), 0.595f, 1e-6);
}

TEST(LevelUp, EveryTenthLevelBringsANewKindAndShowsItOnTheFallingGem) {
    const struct {
        int from;
        int maxKind;
    } cases[] = {{10, 3}, {20, 4}, {30, 5}, {40, 6}, {50, 7}};
    for (const auto& c : cases) {
        PlayHarness play;
        Game& game = play.game;
        onLevel(play, c.from, 1);
        game.fallKind = 0;
        frame(play, 1.0);
        EXPECT_EQ(game.level, c.from + 1);
        EXPECT_EQ(game.maxKindIndex, c.maxKind);
        EXPECT_EQ(cuesOf(game, SoundEffectId::Level11Up), 1);
        EXPECT_EQ(cuesOf(game, SoundEffectId::LevelUp), 0);
        EXPECT_EQ(game.fallKind, c.maxKind) << "from level " << c.from;
    }
}

TEST(LevelUp, KindsStayAtEightAfterLevelFiftyOne) {
    PlayHarness play;
    onLevel(play, 58, 1);
    frame(play, 1.0);
    EXPECT_EQ(play.game.level, 59);
    EXPECT_EQ(play.game.maxKindIndex, 7);
    EXPECT_EQ(cuesOf(play.game, SoundEffectId::LevelUp), 1);
}

TEST(LevelUp, NoNewKindOnTheGemWhenItsFanfareDoesNotStart) {
    PlayHarness muted;
    onLevel(muted, 10, 1);
    muted.game.fallKind = 1;
    muted.game.audio.soundEnabled = false;
    frame(muted, 1.0);
    EXPECT_EQ(muted.game.maxKindIndex, 3);
    EXPECT_EQ(muted.game.fallKind, 1);

    PlayHarness playing;
    onLevel(playing, 20, 1);
    playing.game.fallKind = 0;
    playing.game.audio.playing[static_cast<int>(SoundEffectId::Level11Up)] = true;
    advance(playing.time, 1.0);
    updatePlaying(playing.game, playing.fadeClock);
    EXPECT_EQ(playing.game.level, 21);
    EXPECT_EQ(playing.game.fallKind, 0);
}

TEST(TimeOut, LevelSixtyEndsAndRecordsFiftyNine) {
    PlayHarness play;
    Game& game = play.game;
    onLevel(play, 60, 2);
    game.score = 300;
    game.bestScore = 300;
    game.patternsCompleted = 7;
    FrameResult result = frame(play, 1.0);
    EXPECT_FALSE(result.gameEndedNow);
    result = frame(play, 1.0);
    EXPECT_TRUE(result.gameEndedNow);
    EXPECT_TRUE(game.timeUp);
    EXPECT_TRUE(game.requests.stopMusic);
    EXPECT_EQ(game.secondsLeft, 0);
    EXPECT_EQ(game.level, 60);
    EXPECT_EQ(cuesOf(game, SoundEffectId::Applause), 0);

    result = frame(play, 1.0); // the end is looked at once a second: 1 s is not more than 1 s
    EXPECT_FALSE(result.gameEndedNow);
    EXPECT_EQ(cuesOf(game, SoundEffectId::Applause), 0);
    result = frame(play, 1.0);
    EXPECT_EQ(cuesOf(game, SoundEffectId::Applause), 1);
    EXPECT_EQ(game.secondsLeft, 0);
    for (int second = 3; second <= 6; ++second) {
        result = frame(play, 1.0);
        EXPECT_FALSE(result.showEndScreen) << second;
    }
    frame(play, 0.99);
    EXPECT_FALSE(frame(play, 0.0).showEndScreen);
    result = frame(play, 0.01);
    EXPECT_TRUE(result.showEndScreen);
    EXPECT_TRUE(result.record.due);
    EXPECT_EQ(result.record.levelValue, 59);
    EXPECT_EQ(result.record.count, 7);
    EXPECT_EQ(elapsedSeconds(play.fadeClock), 0.0f);
}

TEST(TimeOut, FreezesTheGemAndTheThreadKeys) {
    PlayHarness play;
    Game& game = play.game;
    onLevel(play, 60, 1);
    game.fallRow = 2;
    game.board = boardFrom({"......A"});
    frame(play, 1.0);
    ASSERT_TRUE(game.timeUp);
    frame(play, 3.0);
    EXPECT_EQ(game.fallRow, 2);
    press(play, PlayKey::Down);
    press(play, PlayKey::Left);
    EXPECT_EQ(slotsPicture(game.thread), "........");
    EXPECT_EQ(game.cursorColumn, 6);
}

TEST(TimeOut, ColorLinesRecordsItsLinesAndALowerScoreRecordsNothing) {
    PlayHarness lines;
    setModeParameters(lines.game.mode, ColorLines);
    onLevel(lines, 60, 1);
    lines.game.patternsCompleted = 2;
    lines.game.colorLinesCount = 5;
    frame(lines, 1.0);
    FrameResult result;
    for (int i = 0; i < 7 && !result.showEndScreen; ++i) {
        result = frame(lines, 1.0);
    }
    ASSERT_TRUE(result.showEndScreen);
    EXPECT_TRUE(result.record.due);
    EXPECT_EQ(result.record.count, 5);

    PlayHarness lower;
    onLevel(lower, 60, 1);
    lower.game.score = 10;
    lower.game.bestScore = 11;
    frame(lower, 1.0);
    result = FrameResult{};
    for (int i = 0; i < 7 && !result.showEndScreen; ++i) {
        result = frame(lower, 1.0);
    }
    ASSERT_TRUE(result.showEndScreen);
    EXPECT_FALSE(result.record.due);
}

TEST(BoardFull, EndsSixSecondsLaterAndRecordsTheLevelsCompleted) {
    const struct {
        int level;
        int recorded;
    } cases[] = {{1, 0}, {12, 11}, {60, 59}};
    for (const auto& c : cases) {
        PlayHarness play;
        Game& game = play.game;
        quiet(play);
        onLevel(play, c.level, 30);
        game.patternsCompleted = 3;
        fillColumnZero(game);
        FrameResult result = frame(play, 0.01);
        EXPECT_TRUE(result.gameEndedNow);
        EXPECT_TRUE(game.boardFull);
        EXPECT_TRUE(game.requests.stopMusic);
        result = frame(play, 6.0);
        EXPECT_FALSE(result.gameEndedNow) << "only the first frame begins the end";
        EXPECT_FALSE(result.showEndScreen) << "6 s is not more than 6 s";
        result = frame(play, 0.01);
        EXPECT_TRUE(result.showEndScreen);
        EXPECT_TRUE(result.record.due);
        EXPECT_EQ(result.record.levelValue, c.recorded);
        EXPECT_EQ(result.record.count, 3);
    }
}

TEST(BoardFull, EqualScoreCountsAsBestButCasualNeverRecords) {
    for (GameMode mode : {Easy, Casual}) {
        PlayHarness play;
        quiet(play);
        setModeParameters(play.game.mode, mode);
        fillColumnZero(play.game);
        frame(play, 0.01);
        const FrameResult result = frame(play, 6.5);
        ASSERT_TRUE(result.showEndScreen);
        EXPECT_EQ(result.record.due, mode != Casual) << "score 0 equals the best of 0";
    }
    PlayHarness lower;
    quiet(lower);
    lower.game.score = 5;
    lower.game.bestScore = 6;
    fillColumnZero(lower.game);
    frame(lower, 0.01);
    EXPECT_FALSE(frame(lower, 6.5).record.due);
}

TEST(BoardFull, ApplauseForANewBestElseDefeatAfterOneSecond) {
    const struct {
        int score;
        int best;
        SoundEffectId effect;
    } cases[] = {
        {40, 40, SoundEffectId::Applause}, {0, 0, SoundEffectId::Defeat}, {39, 40, SoundEffectId::Defeat}};
    for (const auto& c : cases) {
        PlayHarness play;
        quiet(play);
        play.game.score = c.score;
        play.game.bestScore = c.best;
        fillColumnZero(play.game);
        frame(play, 0.01);
        frame(play, 1.0);
        EXPECT_EQ(play.game.requests.cueCount, 0) << "not more than 1 s yet";
        frame(play, 0.01);
        ASSERT_EQ(play.game.requests.cueCount, 1);
        EXPECT_EQ(play.game.requests.cues[0].effect, c.effect) << c.score << " of " << c.best;
        EXPECT_EQ(play.game.requests.cues[0].rule, CueRule::Once);
    }
}

TEST(BoardFull, NoSoundWhenSwitchedOffAndNoWarningOnceFull) {
    PlayHarness play;
    quiet(play);
    play.game.audio.soundEnabled = false;
    fillColumnZero(play.game);
    frame(play, 0.01);
    frame(play, 2.0);
    EXPECT_EQ(play.game.requests.cueCount, 0);
    play.game.audio.soundEnabled = true;
    frame(play, 0.01);
    EXPECT_EQ(cuesOf(play.game, SoundEffectId::Alert), 0);
    EXPECT_EQ(cuesOf(play.game, SoundEffectId::Defeat), 1);
}

TEST(BoardFull, ARisingReadOutHoldsBackTheEndScreen) {
    // The read-out's steps restart the same fade timer the end delay reads.
    PlayHarness play;
    quiet(play);
    fillColumnZero(play.game);
    play.game.pointsThisFrame = 8;
    frame(play, 0.01);
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(frame(play, 0.025).showEndScreen);
    }
    EXPECT_EQ(play.game.popupPoints, 0);
    EXPECT_FALSE(frame(play, 5.99).showEndScreen);
    EXPECT_TRUE(frame(play, 0.02).showEndScreen);
}
