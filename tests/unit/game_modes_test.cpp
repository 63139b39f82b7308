// The mode buttons' parameters, the values before any button, and the preparation of a new game.
#include "game_testing.h"

#include <cstdlib>

TEST(Modes, EachButtonSetsItsFourParametersAndTheStartUpValuesDiffer) {
    const struct {
        GameMode mode;
        int diamond, trash;
        float interval, speedup;
        int cursorLimit;
    } table[] = {
        {Easy, 0, 0, 0.7f, 0.005f, 12},       {Normal, 6, 10, 0.7f, 0.0058f, 12},
        {Hard, 6, 20, 0.6f, 0.005f, 12},      {VeryHard, 6, 30, 0.5f, 0.0042f, 12},
        {ColorLines, 0, 0, 0.7f, 0.003f, 11}, {Casual, 0, 0, 0.2f, 0.0f, 12},
    };
    for (const auto& row : table) {
        ModeSettings mode{Normal, 55, 55, 9.0f, 9.0f};
        setModeParameters(mode, row.mode);
        EXPECT_EQ(mode.gameMode, row.mode);
        EXPECT_EQ(mode.diamondChance, row.diamond) << row.mode;
        EXPECT_EQ(mode.trashChance, row.trash) << row.mode;
        EXPECT_FLOAT_EQ(mode.baseFallInterval, row.interval) << row.mode;
        EXPECT_FLOAT_EQ(mode.fallSpeedupPerLevel, row.speedup) << row.mode;
        EXPECT_EQ(cursorLimit(mode), row.cursorLimit) << row.mode;
        EXPECT_EQ(earnsPoints(mode), row.mode != Casual) << row.mode;
    }
    const ModeSettings startUp;
    EXPECT_EQ(startUp.gameMode, Normal);
    EXPECT_EQ(startUp.diamondChance, 1);
    EXPECT_EQ(startUp.trashChance, 10);
    EXPECT_FLOAT_EQ(startUp.baseFallInterval, 0.7f);
    EXPECT_FLOAT_EQ(startUp.fallSpeedupPerLevel, 0.0075f);
}

TEST(NewGame, PreparesAnEmptyBoardAFreshPatternAndTheFirstGem) {
    const unsigned seed = 31337;
    std::srand(seed);
    const int column = std::rand() % 12;
    const int kind = std::rand() % 3;
    Pattern pattern{};
    for (GemKind& slot : pattern) {
        slot = static_cast<GemKind>(std::rand() % 3 + 1); // Gem90..Gem70
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
    game.fallRow = 6;
    game.paused = game.timeUp = game.boardFull = game.trashFlushing = game.threadClearing = true;
    game.patternMatched = game.patternRefill = game.endSummaryReady = game.endMusicStarted = true;
    game.gemActive = false;
    game.requests.stopMusic = true;
    std::srand(seed);
    startNewGame(game);

    EXPECT_EQ(std::rand(), following) << "exactly 1 + 1 + 8 numbers were drawn";
    EXPECT_EQ(game.fallColumn, column);
    EXPECT_EQ(game.fallKind, kind);
    EXPECT_EQ(slotsPicture(game.pattern), slotsPicture(pattern));
    EXPECT_EQ(game.board, Board{});
    EXPECT_EQ(slotsPicture(game.thread), "........");
    EXPECT_EQ(game.fallRow, 0);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.patternsCompleted + game.colorLinesCount, 0);
    EXPECT_EQ(game.cursorColumn, 6);
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.secondsLeft, 60);
    EXPECT_EQ(game.maxKindIndex, 2);
    EXPECT_EQ(game.fallSpeedup, 0.0f);
    EXPECT_EQ(game.bestScore, 700) << "the best score is loaded by the caller";
    EXPECT_TRUE(game.gemActive);
    EXPECT_FALSE(game.paused || game.timeUp || game.boardFull || game.requests.stopMusic);
    EXPECT_FALSE(game.trashFlushing || game.threadClearing || game.patternMatched || game.patternRefill);
    EXPECT_FALSE(game.endSummaryReady || game.endMusicStarted);
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
    frame(play, 0.01);
    EXPECT_EQ(game.fallRow, 1);
    EXPECT_EQ(game.secondsLeft, 59);
    EXPECT_TRUE(game.requests.clockTicked);
}

TEST(NewGame, AbandonedAnimationsPointsAndSpawnDelayDoNotCarryOver) {
    PlayHarness play;
    Game& game = play.game;
    game.fallRow = 7;
    frame(play, 0.01); // landed, the spawn delay runs
    game.thread = slotsFrom("ABCDEFGH");
    game.cursorColumn = 12;
    startTrashFlush(game); // 4 points earned in the frame in which B was pressed
    std::srand(1);
    startNewGame(game);
    frame(play, 0.5);
    EXPECT_EQ(slotsPicture(game.thread), "........");
    EXPECT_EQ(game.board, Board{});
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.popupPoints, 0);
    // A pause in the new game must not let a leftover landing spawn a gem behind the player's back.
    togglePause(game);
    frame(play, 1.0);
    EXPECT_FALSE(game.gemActive);
}
