// The mode buttons' parameters, the values before any button, and the preparation of a new game.
#include "game_testing.h"

#include <cstdlib>

TEST(Modes, EachButtonSetsItsFourParameters) {
    const struct {
        GameMode mode;
        int diamond, trash;
        float interval, speedup;
    } table[] = {
        {Easy, 0, 0, 0.7f, 0.005f},       {Normal, 6, 10, 0.7f, 0.0058f},   {Hard, 6, 20, 0.6f, 0.005f},
        {VeryHard, 6, 30, 0.5f, 0.0042f}, {ColorLines, 0, 0, 0.7f, 0.003f}, {Casual, 0, 0, 0.2f, 0.0f},
    };
    for (const auto& row : table) {
        ModeSettings mode;
        mode.diamondChance = 55;
        mode.trashChance = 55;
        mode.baseFallInterval = 9.0f;
        mode.fallSpeedupPerLevel = 9.0f;
        setModeParameters(mode, row.mode);
        EXPECT_EQ(mode.gameMode, row.mode);
        EXPECT_EQ(mode.diamondChance, row.diamond) << row.mode;
        EXPECT_EQ(mode.trashChance, row.trash) << row.mode;
        EXPECT_FLOAT_EQ(mode.baseFallInterval, row.interval) << row.mode;
        EXPECT_FLOAT_EQ(mode.fallSpeedupPerLevel, row.speedup) << row.mode;
    }
}

TEST(Modes, StartUpValuesDifferFromTheNormalButton) {
    const ModeSettings startUp;
    EXPECT_EQ(startUp.gameMode, Normal);
    EXPECT_EQ(startUp.diamondChance, 1);
    EXPECT_EQ(startUp.trashChance, 10);
    EXPECT_FLOAT_EQ(startUp.baseFallInterval, 0.7f);
    EXPECT_FLOAT_EQ(startUp.fallSpeedupPerLevel, 0.0075f);
}

TEST(Modes, CasualFallsEveryFifthOfASecondAndScoresNothing) {
    PlayHarness play;
    Game& game = play.game;
    setModeParameters(game.mode, Casual);
    game.pattern = slotsFrom("AAAAAAAA");
    frame(play, 0.19);
    EXPECT_EQ(game.fallRow, 0);
    frame(play, 0.01);
    EXPECT_EQ(game.fallRow, 1);
    game.thread = slotsFrom("AAAAAAA");
    game.board = boardFrom({"...A"});
    game.cursorColumn = 3;
    press(play, PlayKey::Down);
    frame(play, 0.01);
    EXPECT_EQ(game.patternsCompleted, 1);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.popupPoints, 0);
}

TEST(NewGame, PreparesAnEmptyBoardAFreshPatternAndTheFirstGem) {
    const unsigned seed = 31337;
    std::srand(seed);
    const int column = std::rand() % 12;
    const int kind = std::rand() % 3;
    Pattern pattern{};
    for (GemKind& slot : pattern) {
        slot = static_cast<GemKind>(std::rand() % 3 + 1);
    }
    const int following = std::rand();

    PlayHarness play;
    Game& game = play.game;
    game.board = boardFrom({"ABC", "*#H", "............#"});
    game.thread = slotsFrom("ABCDEFGH");
    game.cursorColumn = 12;
    game.level = 33;
    game.secondsLeft = 4;
    game.maxKindIndex = 5;
    game.fallSpeedup = 0.2f;
    game.score = 500;
    game.bestScore = 700;
    game.patternsCompleted = 9;
    game.colorLinesCount = 2;
    game.paused = true;
    game.gemActive = false;
    game.fallRow = 6;
    game.timeUp = game.boardFull = game.trashFlushing = game.threadClearing = true;
    game.patternMatched = game.patternRefill = game.endSummaryReady = game.endMusicStarted = true;
    game.requests.stopMusic = true;
    game.requests.cueCount = 3;
    std::srand(seed);
    startNewGame(game);

    EXPECT_EQ(std::rand(), following) << "exactly 1 + 1 + 8 numbers were drawn";
    EXPECT_EQ(game.fallColumn, column);
    EXPECT_EQ(game.fallKind, kind);
    EXPECT_EQ(slotsPicture(game.pattern), slotsPicture(pattern));
    EXPECT_EQ(boardPicture(game.board), boardPicture(Board{}));
    EXPECT_EQ(slotsPicture(game.thread), "........");
    EXPECT_EQ(game.fallRow, 0);
    EXPECT_TRUE(game.gemActive);
    EXPECT_EQ(game.cursorColumn, 6);
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.secondsLeft, 60);
    EXPECT_EQ(game.maxKindIndex, 2);
    EXPECT_EQ(game.fallSpeedup, 0.0f);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.bestScore, 700) << "the best score is loaded by the caller";
    EXPECT_EQ(game.patternsCompleted, 0);
    EXPECT_EQ(game.colorLinesCount, 0);
    EXPECT_FALSE(game.paused || game.timeUp || game.boardFull);
    EXPECT_FALSE(game.trashFlushing || game.threadClearing || game.patternMatched || game.patternRefill);
    EXPECT_FALSE(game.endSummaryReady || game.endMusicStarted);
    EXPECT_FALSE(game.requests.stopMusic);
    EXPECT_EQ(game.requests.cueCount, 0);
}

TEST(NewGame, PatternsHoldOnlyTheFirstThreeKinds) {
    Game game;
    for (unsigned seed = 1; seed <= 50; ++seed) {
        std::srand(seed);
        startNewGame(game);
        for (GemKind slot : game.pattern) {
            EXPECT_GE(slot, Gem90);
            EXPECT_LE(slot, Gem70);
        }
        EXPECT_LE(game.fallKind, 2);
        EXPECT_LT(game.fallColumn, 12);
    }
}

TEST(NewGame, FirstFrameAfterTheMenuFadeMovesTheGemAndTicks) {
    // The countdown starts in the menu while the fall clock was left running by the previous game:
    // after the one-second fade the first frame moves the gem and shows 00:59 at once.
    PlayHarness play;
    Game& game = play.game;
    std::srand(8);
    advance(play.time, 30.0);
    startNewGame(game);
    advance(play.time, 1.0);
    const FrameResult result = frame(play, 0.01);
    EXPECT_EQ(game.fallRow, 1);
    EXPECT_EQ(game.secondsLeft, 59);
    EXPECT_TRUE(game.requests.clockTicked);
    EXPECT_FALSE(result.gameEndedNow);
}

TEST(NewGame, AbandonedAnimationsAndSpawnDelayDoNotCarryOver) {
    PlayHarness play;
    Game& game = play.game;
    game.fallRow = 7;
    frame(play, 0.01); // landed, the spawn delay runs
    game.thread = slotsFrom("ABCDEFGH");
    game.cursorColumn = 12;
    startTrashFlush(game);
    game.pointsThisFrame = 4; // earned in the frame in which B was pressed
    std::srand(1);
    startNewGame(game);
    game.pauseLatch = false;
    frame(play, 0.5);
    EXPECT_EQ(slotsPicture(game.thread), "........");
    EXPECT_EQ(boardPicture(game.board), boardPicture(Board{}));
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.popupPoints, 0);
    EXPECT_TRUE(game.gemActive);
    // A pause in the new game must not let a leftover landing spawn a gem behind the player's back.
    togglePause(game);
    frame(play, 1.0);
    EXPECT_FALSE(game.gemActive);
}
