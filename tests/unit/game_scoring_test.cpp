// Points: what each completed thread and each flush earns, in every mode; how a frame's points reach
// the score, the best score and the rising read-out; the near-full warning and the cue rules.
#include "game_testing.h"

namespace {

// Pulls the last gem of a thread whose other seven slots are already strung.
void completeThread(Game& game, const std::string& thread) {
    game.cursorColumn = 0;
    game.thread = slotsFrom(thread.substr(1));
    game.board = boardFrom({thread.substr(0, 1)});
    pullGem(game);
}

} // namespace

TEST(Points, PatternMatchEarnsTheValuesOfItsGems) {
    struct Case {
        const char* pattern;
        int points;
    };
    const Case cases[] = {{"HHHHHHHH", 16}, {"AAAAAAAA", 72}, {"ABCDEFGH", 44}, {"CCAAHHBB", 52}};
    for (const Case& c : cases) {
        Game game;
        game.pattern = slotsFrom(c.pattern);
        completeThread(game, c.pattern);
        EXPECT_TRUE(game.patternMatched) << c.pattern;
        EXPECT_EQ(game.pointsThisFrame, c.points) << c.pattern;
    }
}

TEST(Points, EightDiamondsEarnEighty) {
    Game game;
    completeThread(game, "********");
    EXPECT_EQ(game.pointsThisFrame, 80);
    EXPECT_EQ(game.patternsCompleted, 0);
}

TEST(Points, OneColourLineEarnsEightTimesItsValue) {
    const struct {
        const char* thread;
        int points;
    } cases[] = {{"AAAAAAAA", 72}, {"CCCCCCCC", 56}, {"HHHHHHHH", 16}};
    for (const auto& c : cases) {
        Game game;
        setModeParameters(game.mode, ColorLines);
        completeThread(game, c.thread);
        EXPECT_EQ(game.pointsThisFrame, c.points) << c.thread;
    }
}

TEST(Points, EightDiamondsAreNoLineInColorLines) {
    Game game;
    setModeParameters(game.mode, ColorLines);
    completeThread(game, "********");
    EXPECT_EQ(game.pointsThisFrame, 8) << "a diamond line counts as a line of code 9";
    EXPECT_EQ(game.colorLinesCount, 1);
}

TEST(Points, FlushEarnsFour) {
    Game game;
    game.thread = slotsFrom("ABCABCAB");
    startTrashFlush(game);
    EXPECT_EQ(game.pointsThisFrame, 4);
}

TEST(Points, CasualEarnsNothingButStillCountsAndAnimates) {
    Game game;
    setModeParameters(game.mode, Casual);
    game.pattern = slotsFrom("AABBCCAA");
    completeThread(game, "AABBCCAA");
    EXPECT_EQ(game.pointsThisFrame, 0);
    EXPECT_EQ(game.patternsCompleted, 1);
    EXPECT_TRUE(game.patternMatched);

    Game diamonds;
    setModeParameters(diamonds.mode, Casual);
    completeThread(diamonds, "********");
    EXPECT_EQ(diamonds.pointsThisFrame, 0);
    EXPECT_TRUE(diamonds.threadClearing);

    Game flush;
    setModeParameters(flush.mode, Casual);
    flush.thread = slotsFrom("ABCABCAB");
    startTrashFlush(flush);
    EXPECT_EQ(flush.pointsThisFrame, 0);
    EXPECT_TRUE(flush.trashFlushing);
}

TEST(PointsStep, MovesTheFramePointsIntoScoreAndBest) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.score = 30;
    game.bestScore = 40;
    game.pointsThisFrame = 4;
    frame(play, 0.01);
    EXPECT_EQ(game.score, 34);
    EXPECT_EQ(game.bestScore, 40);
    EXPECT_EQ(game.pointsThisFrame, 0);
    game.pointsThisFrame = 6;
    frame(play, 0.01);
    EXPECT_EQ(game.bestScore, 40) << "equal is not above";
    game.pointsThisFrame = 16;
    frame(play, 0.01);
    EXPECT_EQ(game.score, 56);
    EXPECT_EQ(game.bestScore, 56);
}

TEST(PointsStep, ReadOutRisesOneStepPerFiftiethAndVanishesAfterAHundred) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.cursorColumn = 3;
    game.pointsThisFrame = 80;
    frame(play, 0.5);
    EXPECT_EQ(game.popupPoints, 80);
    EXPECT_EQ(game.popupProgress, 0.0f);
    EXPECT_EQ(game.popupX, 630.0f);
    EXPECT_EQ(elapsedSeconds(play.fadeClock), 0.0f) << "the read-out restarted the fade timer";
    frame(play, 0.019);
    EXPECT_EQ(game.popupProgress, 0.0f);
    frame(play, 0.001);
    EXPECT_EQ(game.popupProgress, 1.0f);
    for (int i = 0; i < 98; ++i) {
        frame(play, 0.025);
    }
    EXPECT_EQ(game.popupProgress, 99.0f);
    EXPECT_EQ(game.popupPoints, 80);
    frame(play, 0.025);
    EXPECT_EQ(game.popupPoints, 0);
    frame(play, 0.025);
    EXPECT_EQ(game.popupProgress, 100.0f) << "no steps without a read-out";
}

TEST(PointsStep, NewPointsRestartTheReadOutAtTheCursor) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.pointsThisFrame = 72;
    frame(play, 0.1);
    for (int i = 0; i < 10; ++i) {
        frame(play, 0.03);
    }
    EXPECT_EQ(game.popupProgress, 10.0f);
    game.cursorColumn = 12;
    game.pointsThisFrame = 4;
    frame(play, 0.03);
    EXPECT_EQ(game.popupPoints, 4);
    EXPECT_EQ(game.popupProgress, 0.0f);
    EXPECT_EQ(game.popupX, 1777.0f);
}

TEST(PointsStep, SeveralEventsInAFrameShowAsOneSum) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.pattern = slotsFrom("AAAAAAAA");
    completeThread(game, "AAAAAAAA");
    game.cursorColumn = 12;
    game.thread = slotsFrom("BBBBBBBB"); // as if a second thread were flushed in the same frame
    startTrashFlush(game);
    frame(play, 0.01);
    EXPECT_EQ(game.popupPoints, 76);
    EXPECT_EQ(game.score, 76);
}

TEST(NearFullWarning, AlertsOnceForColumnsFilledToRowOne) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.board = boardFrom({".A..B.......", ".A..B.......", ".A..B.......", ".A..B.......", ".A..B.......",
                            ".A..B.......", ".A..B......."});
    EXPECT_TRUE(columnNearlyFull(game, 1));
    EXPECT_FALSE(columnNearlyFull(game, 0));
    frame(play, 0.01);
    EXPECT_EQ(cuesOf(game, SoundEffectId::Alert), 1);
    EXPECT_EQ(game.requests.cues[0].rule, CueRule::Once);

    game.requests = Requests{};
    game.audio.playing[static_cast<int>(SoundEffectId::Alert)] = true;
    advance(play.time, 0.01);
    updatePlaying(game, play.fadeClock);
    EXPECT_EQ(cuesOf(game, SoundEffectId::Alert), 0) << "a playing alert is left alone";

    game.boardFull = true;
    frame(play, 0.01);
    EXPECT_EQ(cuesOf(game, SoundEffectId::Alert), 0);
    game.boardFull = false;
    game.audio.soundEnabled = false;
    frame(play, 0.01);
    EXPECT_EQ(cuesOf(game, SoundEffectId::Alert), 0);
}

TEST(NearFullWarning, NeedsBothRowOneAndRowTwo) {
    Game game;
    game.board = boardFrom({".A", "..", ".B"}); // rows 5..7
    EXPECT_FALSE(columnNearlyFull(game, 1));
    game.board = boardFrom({".A", ".", ".", ".", ".", "."}); // row 2 only
    EXPECT_FALSE(columnNearlyFull(game, 1));
    game.board = boardFrom({"............#", "............#", "............#", "............#",
                            "............#", "............#", "............#"});
    nearFullWarning(game);
    EXPECT_EQ(game.requests.cueCount, 0) << "the tube never warns";
}

TEST(Cues, OnceIsRefusedWhilePlayingAndRestartIsNot) {
    Game game;
    game.audio.playing[static_cast<int>(SoundEffectId::GemFall)] = true;
    cue(game, SoundEffectId::GemFall, CueRule::Restart);
    EXPECT_EQ(game.requests.cueCount, 1);
    cue(game, SoundEffectId::Applause, CueRule::Once);
    cue(game, SoundEffectId::Applause, CueRule::Once);
    EXPECT_EQ(cuesOf(game, SoundEffectId::Applause), 1) << "the first cue marked it playing";
    game.audio.soundEnabled = false;
    cue(game, SoundEffectId::Defeat, CueRule::Restart);
    EXPECT_EQ(game.requests.cueCount, 2);
    EXPECT_FALSE(game.audio.playing[static_cast<int>(SoundEffectId::Defeat)]);
}

TEST(Cues, AFullListRefusesNoRule) {
    Game game;
    for (int i = 0; i < 40; ++i) {
        cue(game, SoundEffectId::GemFall, CueRule::Restart);
    }
    EXPECT_EQ(game.requests.cueCount, static_cast<int>(game.requests.cues.size()));
    EXPECT_TRUE(tryCue(game, SoundEffectId::Alert, CueRule::Once));
    EXPECT_FALSE(tryCue(game, SoundEffectId::Alert, CueRule::Once));
}
