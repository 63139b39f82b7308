// Points reaching the score and the rising read-out, the near-full warning, the cue rules, the level
// clock with its level-ups, and the two ends of a game with the result handed to the store.
#include "game_testing.h"

namespace {

// Quiet play: no falling gem, so only the clock, the points and the end rules act.
void onLevel(PlayHarness& play, int level, int secondsLeft) {
    play.game.gemActive = false;
    play.game.level = level;
    play.game.secondsLeft = secondsLeft;
    play.game.maxKindIndex = (level - 1) / 10 + 2;
}

// Column 0 filled to the top, where the falling gem stands.
void fillColumnZero(Game& game) {
    game.board = columnBoard(0, "ABCABCAB");
    game.fallColumn = 0;
}

// "<score>/<best> <read-out points>@<its x>:<its progress>"
std::string points(const Game& game, const FrameResult&) {
    return std::to_string(game.score) + "/" + std::to_string(game.bestScore) + " " +
           std::to_string(game.popupPoints) + "@" + std::to_string(static_cast<int>(game.popupX)) + ":" +
           std::to_string(static_cast<int>(game.popupProgress));
}

} // namespace

TEST(PointsStep, MovesTheFramePointsIntoScoreAndBestWithOneRisingReadOutAtTheCursor) {
    PlayHarness play;
    Game& game = play.game;
    onLevel(play, 1, 60);
    game.score = 30;
    game.bestScore = 40;
    game.cursorColumn = 3;
    game.pointsThisFrame = 6;
    // One read-out step per 0.02 s; after 100 steps it is gone.
    EXPECT_EQ(trace(play, {0.5, 0.019, 0.001}, points), "36/40 6@630:0 36/40 6@630:0 36/40 6@630:1");
    trace(play, every(97, 0.025), points);
    EXPECT_EQ(trace(play, every(3, 0.025), points), "36/40 6@630:99 36/40 0@630:100 36/40 0@630:100");
    // A match and a flush in one frame show as one read-out of their sum, at the cursor on the tube.
    game.cursorColumn = 11;
    game.pattern = slotsFrom("AAAAAAAA");
    game.thread = slotsFrom("AAAAAAA");
    game.board = columnBoard(11, ".......A");
    pullGem(game); // 72
    game.cursorColumn = 12;
    game.thread = slotsFrom("BBBBBBBB");
    startTrashFlush(game); // 4
    EXPECT_EQ(trace(play, {0.01}, points), "112/112 76@1777:0");
    EXPECT_EQ(elapsedSeconds(play.fadeClock), 0.0f) << "new points restart the fade timer";
}

TEST(NearFullWarning, AlertsOnceForAPlayColumnTakenInRowsOneAndTwo) {
    const Board columnsOneAndFour =
        boardFrom({".A..B", ".A..B", ".A..B", ".A..B", ".A..B", ".A..B", ".A..B"});
    const struct {
        Board board;
        bool boardFull, sound, alertPlaying;
        const char* cues;
    } cases[] = {
        {columnsOneAndFour, false, true, false, "Alert!"},
        {columnsOneAndFour, true, true, false, ""},
        {columnsOneAndFour, false, false, false, ""},
        {columnsOneAndFour, false, true, true, ""},
        {columnBoard(1, "..AAAAAA"), false, true, false, ""},
        {columnBoard(12, ".#######"), false, true, false, ""},
    };
    for (const auto& c : cases) {
        Game game;
        game.board = c.board;
        game.boardFull = c.boardFull;
        game.audio.soundEnabled = c.sound;
        game.audio.playing[static_cast<int>(SoundEffectId::Alert)] = c.alertPlaying;
        nearFullWarning(game);
        EXPECT_EQ(cuesPicture(game), c.cues);
    }
}

TEST(Cues, OnceIsRefusedWhilePlayingRestartIsNotAndNothingStartsWithSoundOff) {
    Game game;
    game.audio.playing[static_cast<int>(SoundEffectId::GemFall)] = true;
    cue(game, SoundEffectId::GemFall, CueRule::Restart);
    cue(game, SoundEffectId::Applause, CueRule::Once);
    cue(game, SoundEffectId::Applause, CueRule::Once); // the first cue marked it playing
    game.audio.soundEnabled = false;
    EXPECT_FALSE(tryCue(game, SoundEffectId::Defeat, CueRule::Restart));
    EXPECT_FALSE(game.audio.playing[static_cast<int>(SoundEffectId::Defeat)]);
    EXPECT_EQ(cuesPicture(game), "GemFall Applause!");
    game.audio.soundEnabled = true;
    for (int i = 0; i < 20; ++i) {
        cue(game, SoundEffectId::GemFall, CueRule::Restart);
    }
    EXPECT_EQ(game.requests.cueCount, static_cast<int>(game.requests.cues.size()))
        << "a full list takes no more";
    EXPECT_TRUE(tryCue(game, SoundEffectId::Alert, CueRule::Once)) << "but still marks the effect playing";
    EXPECT_FALSE(tryCue(game, SoundEffectId::Alert, CueRule::Once));
}

TEST(LevelClock, TicksOncePerSecondExceptInCasual) {
    for (GameMode mode : {Normal, Casual}) {
        PlayHarness play;
        setModeParameters(play.game.mode, mode);
        onLevel(play, 1, 1);
        EXPECT_EQ(trace(play, {0.99, 0.01, 0.5, 0.5}, levelClock),
                  mode == Casual ? "L1:1 L1:1 L1:1 L1:1" : "L1:1 L2:60* L2:60 L2:59*");
    }
}

TEST(LevelClock, PauseStopsTheCountdownAndOneTickComesAtOnceAfterIt) {
    PlayHarness play;
    frame(play, 0.5);
    togglePause(play.game);
    trace(play, every(100, 1.0), levelClock);
    EXPECT_EQ(play.game.secondsLeft, 60);
    togglePause(play.game);
    EXPECT_EQ(trace(play, {0.001, 0.99, 0.01}, levelClock), "L1:59* L1:59 L1:58*") << "one tick, not a burst";
}

TEST(LevelUp, RaisesTheLevelSpeedsUpAndEveryTenthLevelShowsTheNewKindWithItsFanfare) {
    const struct {
        int mode; // 0: no mode button pressed yet
        int from;
        bool sound, fanfarePlaying;
        int maxKind;
        float speedup;
        const char* cues;
        int fallKind;
    } cases[] = {
        {Hard, 9, true, false, 2, 0.005f, "LevelUp!", 0},
        {Normal, 10, true, false, 3, 0.0058f, "Level11Up!", 3},
        {Easy, 20, true, false, 4, 0.005f, "Level11Up!", 4},
        {VeryHard, 30, true, false, 5, 0.0042f, "Level11Up!", 5},
        {ColorLines, 50, true, false, 7, 0.003f, "Level11Up!", 7},
        {Normal, 58, true, false, 7, 0.0058f, "LevelUp!", 0},
        {0, 10, false, false, 3, 0.0075f, "", 0}, // no mode button pressed yet
        {Normal, 40, true, true, 6, 0.0058f, "", 0},
    };
    for (const auto& c : cases) {
        PlayHarness play;
        Game& game = play.game;
        setModeParameters(game.mode, static_cast<GameMode>(c.mode));
        onLevel(play, c.from, 1);
        game.fallKind = 0;
        game.audio.soundEnabled = c.sound;
        game.audio.playing[static_cast<int>(SoundEffectId::Level11Up)] = c.fanfarePlaying;
        advance(play.time, 1.0);
        updatePlaying(game, play.fadeClock);
        SCOPED_TRACE("from level " + std::to_string(c.from));
        EXPECT_EQ(levelClock(game, {}), "L" + std::to_string(c.from + 1) + ":60*");
        EXPECT_TRUE(game.requests.levelRose);
        EXPECT_EQ(game.maxKindIndex, c.maxKind);
        EXPECT_FLOAT_EQ(game.fallSpeedup, c.speedup);
        EXPECT_EQ(cuesPicture(game), c.cues);
        EXPECT_EQ(game.fallKind, c.fallKind) << "the new kind shows only when its fanfare starts";
    }
}

TEST(GameEnd, BothEndsCueTheirSoundShowTheEndScreenAndRecordOnlyABestScore) {
    // A board-full end begins in its first frame, a time-out on the tick that empties level 60; the
    // sound comes more than 1 s later, the end screen more than 6 s later, a time-out's on a tick. The
    // harness takes the sound of the frame before as finished, so each later look asks for it again.
    const std::vector<double> boardFull = {0.01, 1.0, 0.01, 4.99, 0.01};
    const std::vector<double> timeOut = {1, 1, 1, 1, 1, 1, 1, 1, 0.99, 0.01};
    const struct {
        const std::vector<double>& frames;
        GameMode mode;
        int level, score, best;
        bool sound;
        const char* ending;
    } cases[] = {
        {boardFull, Easy, 1, 0, 0, true, "end+stop+Alert! - Defeat! Defeat! Defeat!+shown:0/3"},
        {boardFull, Normal, 12, 40, 40, true, "end+stop+Alert! - Applause! Applause! Applause!+shown:11/3"},
        {boardFull, Normal, 1, 39, 40, true, "end+stop+Alert! - Defeat! Defeat! Defeat!+shown"},
        {boardFull, Hard, 60, 9, 8, false, "end+stop - - - shown:59/3"}, // 9 raised the best of 8
        {boardFull, ColorLines, 5, 0, 0, false, "end+stop - - - shown:4/5"},
        {boardFull, Casual, 1, 0, 0, false, "end+stop - - - shown"},
        {timeOut, Normal, 60, 10, 11, true,
         "- end+stop - Applause! Applause! Applause! Applause! Applause! - Applause!+shown"},
        {timeOut, Normal, 60, 300, 300, false, "- end+stop - - - - - - - shown:59/3"},
        {timeOut, ColorLines, 60, 0, 0, false, "- end+stop - - - - - - - shown:59/5"},
    };
    for (const auto& c : cases) {
        PlayHarness play;
        Game& game = play.game;
        setModeParameters(game.mode, c.mode);
        onLevel(play, c.level, &c.frames == &timeOut ? 2 : 30);
        game.score = c.score;
        game.bestScore = c.best;
        game.audio.soundEnabled = c.sound;
        game.patternsCompleted = 3;
        game.colorLinesCount = 5;
        if (&c.frames == &boardFull) {
            fillColumnZero(game);
        }
        EXPECT_EQ(trace(play, c.frames, ending), c.ending) << "mode " << c.mode << " level " << c.level;
        EXPECT_EQ(elapsedSeconds(play.fadeClock), 0.0f) << "the end screen starts its fade";
    }
}

TEST(GameEnd, ARisingReadOutHoldsBackTheEndScreen) {
    // The read-out's steps restart the same fade timer the end delay reads.
    PlayHarness play;
    onLevel(play, 1, 60);
    fillColumnZero(play.game);
    play.game.pointsThisFrame = 8;
    const Show shown = [](const Game&, const FrameResult& r) { return r.showEndScreen ? "shown" : "-"; };
    EXPECT_EQ(trace(play, every(101, 0.025), shown).find("shown"), std::string::npos);
    EXPECT_EQ(play.game.popupPoints, 0);
    EXPECT_EQ(trace(play, {5.99, 0.02}, shown), "- shown");
}
