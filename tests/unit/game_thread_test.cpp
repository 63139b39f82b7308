// The thread: pulls and pushes with what a completed thread earns in each mode, the flush through the
// tube, the clearing of a completed thread and the refill of the pattern on the shared clock.
#include "game_testing.h"

#include <cstdlib>

namespace {

enum Op { Pull, Push, Flush };
enum Outcome { Nothing, Clearing, Match, Line, Flushing }; // Line: ColorLines' one-colour line

struct ThreadCase {
    GameMode mode;
    int cursor;
    const char *column, *thread, *pattern; // the cursor's column top to bottom; slot 0 first
    Op op;
    const char *columnAfter, *threadAfter;
    int points;
    Outcome outcome;
};

// Gem values: A 9, B 8, C 7, D 6, E 5, F 4, G 3, H 2; a diamond counts 1 as a ColorLines line.
const ThreadCase threadCases[] = {
    {Normal, 2, ".....ABC", "DE", "", Pull, "......AB", "CDE.....", 0, Nothing},
    {Normal, 0, "ABBBBBBC", "", "", Pull, "AABBBBBB", "C.......", 0, Nothing}, // row 0 keeps its gem
    {Normal, 3, "......A.", "", "", Pull, "......A.", "........", 0, Nothing},
    {Normal, 0, ".......A", "BCBCBCBC", "", Pull, ".......A", "BCBCBCBC", 0, Nothing},
    {Normal, 12, ".......B", "", "", Pull, ".......B", "........", 0, Nothing},
    {Normal, 4, ".......D", "BCABCAB", "DBCABCAB", Pull, "........", "DBCABCAB", 62, Match},
    {Hard, 0, ".......H", "HHHHHHH", "HHHHHHHH", Pull, "........", "HHHHHHHH", 16, Match},
    {Easy, 0, ".......A", "BCDEFGH", "ABCDEFGH", Pull, "........", "ABCDEFGH", 44, Match},
    {Normal, 0, ".......A", "AAAAAAB", "AAAAAAAA", Pull, "........", "AAAAAAAB", 0, Nothing},
    {Normal, 7, ".......*", "*******", "ABCABCAB", Pull, "........", "********", 80, Clearing},
    {Casual, 0, ".......A", "ABBCCAA", "AABBCCAA", Pull, "........", "AABBCCAA", 0, Match},
    {Casual, 0, ".......*", "*******", "", Pull, "........", "********", 0, Clearing},
    {ColorLines, 0, "......DC", "CCCCCCC", "CCCCCCCC", Pull, ".......D", "CCCCCCCC", 56, Line},
    {ColorLines, 0, ".......A", "AAAAAAA", "", Pull, "........", "AAAAAAAA", 72, Line},
    {ColorLines, 0, ".......*", "*******", "", Pull, "........", "********", 8, Line},
    {ColorLines, 0, ".......D", "CCCCCCC", "DCCCCCCC", Pull, "........", "DCCCCCCC", 0, Nothing},
    {Normal, 5, "......AB", "CDE", "", Push, ".....ABC", "DE......", 0, Nothing},
    {Normal, 0, "...BBBBB", "AC", "", Push, "..BBBBBA", "C.......", 0, Nothing},
    {Normal, 0, "..BBBBBA", "C", "", Push, "..BBBBBA", "C.......", 0, Nothing},
    {Normal, 0, "AB.....C", "D", "", Push, "AB....CD", "........", 0, Nothing}, // rows 0 and 1 stay
    {Normal, 1, "..A.....", "C", "", Push, "..A.....", "C.......", 0, Nothing},
    {Normal, 1, "......AB", "", "", Push, "......AB", "........", 0, Nothing},
    {Normal, 12, "......AB", "C", "", Push, "......AB", "C.......", 0, Nothing},
    {Normal, 12, "........", "ABCABCAB", "", Flush, "........", "ABCABCAB", 4, Flushing},
    {Normal, 12, "........", "ABCDEFG", "", Flush, "........", "ABCDEFG.", 0, Nothing},
    {Casual, 12, "........", "ABCABCAB", "", Flush, "........", "ABCABCAB", 0, Flushing},
};

// The thread, then a letter for each running animation: flush, clearing, match, refill.
std::string animation(const Game& game, const FrameResult&) {
    return slotsPicture(game.thread) + (game.trashFlushing ? "f" : "") + (game.threadClearing ? "c" : "") +
           (game.patternMatched ? "m" : "") + (game.patternRefill ? "r" : "");
}

std::string tube(const Game& game, const FrameResult&) {
    return columnPicture(game.board, trashColumn);
}

} // namespace

TEST(ThreadOps, PullPushAndFlushWithWhatTheyEarn) {
    for (const ThreadCase& c : threadCases) {
        Game game;
        setModeParameters(game.mode, c.mode);
        game.cursorColumn = c.cursor;
        game.board = columnBoard(c.cursor, c.column);
        game.thread = slotsFrom(c.thread);
        game.pattern = slotsFrom(c.pattern);
        (c.op == Pull ? pullGem : c.op == Push ? pushGem : startTrashFlush)(game);
        SCOPED_TRACE(std::string(c.thread) + " with " + c.column + " in mode " + std::to_string(c.mode));
        EXPECT_EQ(columnPicture(game.board, c.cursor) + " " + slotsPicture(game.thread) + " " +
                      std::to_string(game.pointsThisFrame),
                  std::string(c.columnAfter) + " " + c.threadAfter + " " + std::to_string(c.points));
        // Running animations (clearing, match, flush), patterns and lines completed, and the cue.
        const char* const started[] = {"00 ", "c00 PatternShift!", "m10 PatternShift!", "c01 PatternShift!",
                                       "f00 TrashDrop!"};
        EXPECT_EQ(std::string(game.threadClearing ? "c" : "") + (game.patternMatched ? "m" : "") +
                      (game.trashFlushing ? "f" : "") + std::to_string(game.patternsCompleted) +
                      std::to_string(game.colorLinesCount) + " " + cuesPicture(game),
                  started[c.outcome]);
    }
}

TEST(ThreadAnimations, FlushCarriesAFullThreadUpTheTubeInSixteenStepsAndPaysOnce) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false; // keep the falling gem out of the way
    game.cursorColumn = 12;
    game.thread = slotsFrom("ABCDEFGH");
    press(play, PlayKey::Up, 1.0);
    press(play, PlayKey::Up, 0.05);
    EXPECT_EQ(cuesPicture(game), "") << "a second Up while flushing is refused";
    // The second Up did not restart the animation: the first step comes 0.08 s after the first.
    EXPECT_EQ(trace(play, {0.029, 0.001}, animation), "ABCDEFGHf BCDEFGH.f");
    EXPECT_EQ(game.score, 4);
    EXPECT_EQ(trace(play, every(15, 0.08), tube),
              "......AB .....ABC ....ABCD ...ABCDE ..ABCDEF .ABCDEFG ABCDEFGH BCDEFGH. CDEFGH.. DEFGH... "
              "EFGH.... FGH..... GH...... H....... ........");
    EXPECT_EQ(animation(game, {}), "........");
}

TEST(ThreadAnimations, DiamondsSlideAwayEvenWhilePausedAndThePatternStays) {
    PlayHarness play;
    Game& game = play.game;
    togglePause(game);
    game.pattern = slotsFrom("ABCABCAB");
    game.board = columnBoard(6, ".......*");
    game.thread = slotsFrom("*******");
    advance(play.time, 1.0);
    pullGem(game);
    // The steps count from the pull; slot 7 stays filled until the last step.
    EXPECT_EQ(trace(play, {0.049, 0.001, 0.05, 0.05, 0.05, 0.05, 0.05, 0.05, 0.05}, animation),
              "********c .*******c ..******c ...*****c ....****c .....***c ......**c .......*c ........");
    EXPECT_EQ(slotsPicture(game.pattern), "ABCABCAB");
}

TEST(ThreadAnimations, AMatchSlidesAwayWithThePatternAndANewPatternRises) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.maxKindIndex = 3;
    game.pattern = slotsFrom("DBCABCAB");
    game.thread = slotsFrom("BCABCAB");
    game.board = columnBoard(6, ".......D");
    advance(play.time, 1.0);
    pullGem(game);
    const Show both = [](const Game& g, const FrameResult& r) {
        return slotsPicture(g.pattern) + "/" + animation(g, r);
    };
    // The steps count from the match.
    EXPECT_EQ(
        trace(play, {0.049, 0.001, 0.05, 0.05, 0.05, 0.05, 0.05, 0.05, 0.05}, both),
        "DBCABCAB/DBCABCABm .DBCABCA/.DBCABCAm ..DBCABC/..DBCABCm ...DBCAB/...DBCABm ....DBCA/....DBCAm "
        ".....DBC/.....DBCm ......DB/......DBm .......D/.......Dm ......../........r");

    std::srand(77);
    std::string drawn;
    for (int i = 0; i < threadSlots; ++i)
        drawn += kindLetters[std::rand() % 4 + 1]; // Gem90..Gem60 while maxKindIndex is 3
    std::srand(77);
    const Show pattern = [](const Game& g, const FrameResult&) { return slotsPicture(g.pattern); };
    EXPECT_EQ(trace(play, {0.05}, pattern), "......." + drawn.substr(0, 1));
    trace(play, every(6, 0.05), pattern);
    EXPECT_TRUE(game.patternRefill);
    EXPECT_EQ(trace(play, every(2, 0.05), pattern), drawn + " " + drawn) << "the refill stops when full";
    EXPECT_FALSE(game.patternRefill);
}

TEST(ThreadAnimations, StepInTheOrderFlushClearingRefillOnOneClock) {
    PlayHarness play;
    Game& game = play.game;
    game.gemActive = false;
    game.thread = slotsFrom("ABCDEFGH");
    game.trashFlushing = game.threadClearing = true;
    // The flush steps first; the clearing then finds the clock restarted and waits for the next frame.
    EXPECT_EQ(trace(play, {0.1, 0.06}, animation), "BCDEFGH.fc .BCDEFGHfc");
    EXPECT_EQ(columnPicture(game.board, 12), ".......A");

    game.trashFlushing = game.threadClearing = false;
    game.patternRefill = game.patternMatched = true;
    game.thread = game.pattern = slotsFrom("ABCDEFGH");
    frame(play, 0.06);
    EXPECT_EQ(slotsPicture(game.pattern), ".ABCDEFG") << "the clearing stepped, the refill waited";
}
