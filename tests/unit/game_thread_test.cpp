// The thread: pulls and pushes, the trash flush through the tube, the clearing of a completed thread
// and the refill of the pattern, with the animation steps they take on the shared clock.
#include "game_testing.h"

#include <array>
#include <cstdlib>

TEST(PullGem, TakesTheBottomGemOntoTheTopOfTheThread) {
    Game game;
    game.cursorColumn = 2;
    game.board = boardFrom({"..A", "..B", "..C"});
    game.thread = slotsFrom("DE");
    pullGem(game);
    EXPECT_EQ(slotsPicture(game.thread), "CDE.....");
    EXPECT_EQ(columnPicture(game.board, 2), "......AB") << "the column moved down one";
    pullGem(game);
    pullGem(game);
    EXPECT_EQ(slotsPicture(game.thread), "ABCDE...");
    EXPECT_EQ(columnPicture(game.board, 2), "........");
}

TEST(PullGem, RowZeroKeepsItsValue) {
    Game game;
    game.cursorColumn = 0;
    game.board = boardFrom({"A", "B", "B", "B", "B", "B", "B", "C"});
    pullGem(game);
    EXPECT_EQ(columnPicture(game.board, 0), "AABBBBBB");
}

TEST(PullGem, RefusedOnAnEmptyBottomAFullThreadOrTheTube) {
    Game game;
    game.cursorColumn = 3;
    game.board = boardFrom({"...A", "....", "............B"});
    pullGem(game);
    EXPECT_EQ(slotsPicture(game.thread), "........");
    game.cursorColumn = 12;
    pullGem(game);
    EXPECT_EQ(slotsPicture(game.thread), "........");
    EXPECT_EQ(cell(game.board, 7, 12), Gem80);
    game.cursorColumn = 12;
    game.board = boardFrom({"A"});
    game.cursorColumn = 0;
    game.thread = slotsFrom("BCBCBCBC");
    pullGem(game);
    EXPECT_EQ(slotsPicture(game.thread), "BCBCBCBC");
    EXPECT_EQ(columnPicture(game.board, 0), ".......A");
}

TEST(PushGem, PutsTheTopGemBackUnderTheColumn) {
    Game game;
    game.cursorColumn = 5;
    game.board = boardFrom({".....A", ".....B"});
    game.thread = slotsFrom("CDE");
    pushGem(game);
    EXPECT_EQ(columnPicture(game.board, 5), ".....ABC");
    EXPECT_EQ(slotsPicture(game.thread), "DE......");
}

TEST(PushGem, FillsAColumnUpToRowTwoOnly) {
    Game game;
    game.cursorColumn = 0;
    game.board = boardFrom({"B", "B", "B", "B", "B"}); // rows 3..7
    game.thread = slotsFrom("AC");
    pushGem(game);
    EXPECT_EQ(columnPicture(game.board, 0), "..BBBBBA");
    pushGem(game);
    EXPECT_EQ(columnPicture(game.board, 0), "..BBBBBA") << "row 2 is taken";
    EXPECT_EQ(slotsPicture(game.thread), "C.......");
}

TEST(PushGem, NeverTouchesRowsZeroAndOne) {
    Game game;
    game.cursorColumn = 0;
    game.board = boardFrom({"A", "B", ".", ".", ".", ".", ".", "C"});
    game.thread = slotsFrom("D");
    pushGem(game);
    EXPECT_EQ(columnPicture(game.board, 0), "AB....CD");
}

TEST(PushGem, RefusedWithAnEmptyThreadOrAColumnFilledToRowTwo) {
    Game game;
    game.cursorColumn = 1;
    game.board = boardFrom({".A", ".B"});
    pushGem(game);
    EXPECT_EQ(columnPicture(game.board, 1), "......AB");
    game.board = boardFrom({".A", ".", ".", ".", ".", "."}); // only row 2 taken
    game.thread = slotsFrom("C");
    pushGem(game);
    EXPECT_EQ(columnPicture(game.board, 1), "..A.....");
    EXPECT_EQ(slotsPicture(game.thread), "C.......");
}

TEST(TrashFlush, CarriesAFullThreadUpTheTubeInSixteenSteps) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false; // keep the falling gem out of the way
    game.cursorColumn = 12;
    game.thread = slotsFrom("ABCDEFGH");
    advance(play.time, 0.5);
    startTrashFlush(game);
    ASSERT_TRUE(game.trashFlushing);
    frame(play, 0.079);
    EXPECT_EQ(slotsPicture(game.thread), "ABCDEFGH");
    frame(play, 0.001);
    EXPECT_EQ(slotsPicture(game.thread), "BCDEFGH.");
    EXPECT_EQ(columnPicture(game.board, 12), ".......A");
    for (int step = 2; step <= 8; ++step) {
        frame(play, 0.08);
    }
    EXPECT_EQ(slotsPicture(game.thread), "........");
    EXPECT_EQ(columnPicture(game.board, 12), "ABCDEFGH");
    for (int step = 9; step <= 15; ++step) {
        frame(play, 0.08);
        EXPECT_TRUE(game.trashFlushing) << "step " << step;
    }
    EXPECT_EQ(columnPicture(game.board, 12), "H.......");
    frame(play, 0.08); // 16 steps: 1.28 s
    EXPECT_FALSE(game.trashFlushing);
    EXPECT_EQ(boardPicture(game.board), boardPicture(Board{}));
}

TEST(TrashFlush, RefusedUnlessTheThreadIsFull) {
    Game game;
    game.thread = slotsFrom("ABCDEFG");
    startTrashFlush(game);
    EXPECT_FALSE(game.trashFlushing);
    EXPECT_EQ(game.pointsThisFrame, 0);
    EXPECT_EQ(game.requests.cueCount, 0);
}

TEST(TrashFlush, ASecondUpWhileFlushingIsRefused) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.cursorColumn = 12;
    game.thread = slotsFrom("ABCDEFGH");
    advance(play.time, 1.0);
    press(play, PlayKey::Up);
    EXPECT_EQ(game.pointsThisFrame, 4);
    EXPECT_EQ(cuesOf(game, SoundEffectId::TrashDrop), 1);
    advance(play.time, 0.05);
    press(play, PlayKey::Up);
    EXPECT_EQ(game.pointsThisFrame, 4) << "no second payment";
    EXPECT_EQ(game.requests.cueCount, 0);
    frame(play, 0.03); // 0.08 s after the first Up: the animation was not restarted
    EXPECT_EQ(slotsPicture(game.thread), "BCDEFGH.");
    EXPECT_EQ(game.score, 4);
}

TEST(Clearing, EightDiamondsSlideAwayAndThePatternStays) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.cursorColumn = 7;
    game.pattern = slotsFrom("ABCABCAB");
    game.board = boardFrom({".......*"});
    game.thread = slotsFrom("*******");
    advance(play.time, 0.3);
    pullGem(game);
    EXPECT_TRUE(game.threadClearing);
    EXPECT_FALSE(game.patternMatched);
    EXPECT_EQ(game.pointsThisFrame, 80);
    EXPECT_EQ(cuesOf(game, SoundEffectId::PatternShift), 1);
    frame(play, 0.049);
    EXPECT_EQ(slotsPicture(game.thread), "********");
    frame(play, 0.001);
    EXPECT_EQ(slotsPicture(game.thread), ".*******");
    for (int step = 2; step <= 7; ++step) {
        frame(play, 0.05);
    }
    EXPECT_EQ(slotsPicture(game.thread), ".......*");
    EXPECT_TRUE(game.threadClearing) << "slot 7 stays filled until the last step";
    frame(play, 0.05);
    EXPECT_EQ(slotsPicture(game.thread), "........");
    EXPECT_FALSE(game.threadClearing);
    EXPECT_FALSE(game.patternRefill);
    EXPECT_EQ(slotsPicture(game.pattern), "ABCABCAB");
    EXPECT_EQ(game.patternsCompleted, 0);
}

TEST(Clearing, AMatchSlidesThreadAndPatternAwayThenANewPatternRises) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.cursorColumn = 4;
    game.maxKindIndex = 3;
    game.pattern = slotsFrom("DBCABCAB");
    // Pulled bottom first: the last gem pulled ends on top, in slot 0.
    game.board = boardFrom({"....D", "....B", "....C", "....A", "....B", "....C", "....A", "....B"});
    advance(play.time, 0.5);
    for (int i = 0; i < 7; ++i) {
        pullGem(game);
    }
    EXPECT_FALSE(game.patternMatched);
    pullGem(game);
    EXPECT_EQ(slotsPicture(game.thread), "DBCABCAB");
    EXPECT_TRUE(game.patternMatched);
    EXPECT_FALSE(game.threadClearing);
    EXPECT_EQ(game.patternsCompleted, 1);
    EXPECT_EQ(game.pointsThisFrame, 6 + 8 + 7 + 9 + 8 + 7 + 9 + 8);

    frame(play, 0.05);
    EXPECT_EQ(slotsPicture(game.thread), ".DBCABCA");
    EXPECT_EQ(slotsPicture(game.pattern), ".DBCABCA");
    for (int step = 2; step <= 8; ++step) {
        frame(play, 0.05);
    }
    EXPECT_EQ(slotsPicture(game.thread), "........");
    EXPECT_EQ(slotsPicture(game.pattern), "........");
    EXPECT_FALSE(game.patternMatched);
    EXPECT_TRUE(game.patternRefill);

    std::srand(77);
    std::array<int, 8> drawn{};
    for (int& value : drawn) {
        value = std::rand() % 4 + 1; // kinds 1..4 while maxKindIndex is 3
    }
    std::srand(77);
    frame(play, 0.05);
    EXPECT_EQ(game.pattern[7], drawn[0]);
    EXPECT_EQ(game.pattern[6], Empty);
    for (int step = 2; step <= 7; ++step) {
        frame(play, 0.05);
    }
    EXPECT_TRUE(game.patternRefill);
    frame(play, 0.05);
    EXPECT_FALSE(game.patternRefill);
    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(game.pattern[slot], drawn[slot]) << "slot " << slot;
    }
    frame(play, 0.05);
    EXPECT_EQ(game.pattern[0], drawn[0]) << "the refill has stopped";
}

TEST(Clearing, AThreadThatDoesNotMatchStays) {
    Game game;
    game.cursorColumn = 0;
    game.pattern = slotsFrom("AAAAAAAA");
    game.thread = slotsFrom("AAAAAAB");
    game.board = boardFrom({"A"});
    pullGem(game);
    EXPECT_EQ(slotsPicture(game.thread), "AAAAAAAB");
    EXPECT_FALSE(game.patternMatched);
    EXPECT_FALSE(game.threadClearing);
    EXPECT_EQ(game.pointsThisFrame, 0);
    EXPECT_EQ(game.requests.cueCount, 0);
}

TEST(Clearing, ColorLinesClearsOneColourWithoutLookingAtThePattern) {
    Game game;
    setModeParameters(game.mode, ColorLines);
    game.cursorColumn = 0;
    game.pattern = slotsFrom("CCCCCCCC");
    game.thread = slotsFrom("CCCCCCC");
    game.board = boardFrom({"C"});
    pullGem(game);
    EXPECT_TRUE(game.threadClearing);
    EXPECT_FALSE(game.patternMatched);
    EXPECT_EQ(game.colorLinesCount, 1);
    EXPECT_EQ(game.patternsCompleted, 0);
    EXPECT_EQ(cuesOf(game, SoundEffectId::PatternShift), 1);

    Game mixed;
    setModeParameters(mixed.mode, ColorLines);
    mixed.cursorColumn = 0;
    mixed.thread = slotsFrom("CCCCCCC");
    mixed.board = boardFrom({"D"});
    pullGem(mixed);
    EXPECT_FALSE(mixed.threadClearing);
    EXPECT_EQ(mixed.colorLinesCount, 0);
}

TEST(Animations, StepInTheOrderFlushClearingRefillOnOneClock) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.thread = slotsFrom("ABCDEFGH");
    game.trashFlushing = true;
    game.threadClearing = true;
    frame(play, 0.1);
    EXPECT_EQ(columnPicture(game.board, 12), ".......A") << "the flush stepped";
    EXPECT_EQ(slotsPicture(game.thread), "BCDEFGH.") << "the clearing found the clock restarted";
    frame(play, 0.06);
    EXPECT_EQ(slotsPicture(game.thread), ".BCDEFGH") << "now only the clearing was due";
    EXPECT_EQ(columnPicture(game.board, 12), ".......A");

    game.trashFlushing = false;
    game.threadClearing = false;
    game.patternRefill = true;
    game.patternMatched = true;
    game.thread = slotsFrom("ABCDEFGH");
    game.pattern = slotsFrom("ABCDEFGH");
    frame(play, 0.06);
    EXPECT_EQ(slotsPicture(game.pattern), ".ABCDEFG") << "the clearing stepped, the refill waited";
}

TEST(Animations, RunOnWhilePaused) {
    PlayHarness play;
    Game& game = play.game;
    togglePause(game);
    game.thread = slotsFrom("ABCDEFGH");
    game.cursorColumn = 12;
    startTrashFlush(game);
    frame(play, 0.08);
    EXPECT_EQ(slotsPicture(game.thread), "BCDEFGH.");
}
