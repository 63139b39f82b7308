// The thread: pulls, pushes and flushes with what a completed thread earns in each mode, the clearing of
// a completed thread, the refill of the pattern and the flush up the tube.
#include "game_testing.h"

#include <cstdlib>

namespace {

enum Op { Pull, Push, Flush };
enum Outcome { Nothing, Clearing, Match, Line, Flushing }; // Line: ColorLines' one-colour line

// Mode, cursor, the cursor's column top to bottom, thread and pattern slot 0 first, the operation, the
// column and thread after it, the points it earned and what it started.
using ThreadCase = std::tuple<GameMode, int, const char*, const char*, const char*, Op, const char*,
                              const char*, int, Outcome>;

// Gem values: A 9, B 8, C 7, D 6, E 5, F 4, G 3, H 2; a diamond counts 1 as a ColorLines line.
const ThreadCase threadCases[] = {
    {Normal, 2, ".....ABC", "DE", "", Pull, "......AB", "CDE.....", 0, Nothing},
    {Normal, 0, "ABBBBBBC", "", "", Pull, "AABBBBBB", "C.......", 0, Nothing}, // row 0 keeps its gem
    {Normal, 3, "......A.", "", "", Pull, "......A.", "........", 0, Nothing},
    {Normal, 0, ".......A", "BCBCBCBC", "", Pull, ".......A", "BCBCBCBC", 0, Nothing},
    {Normal, 4, ".......D", "BCABCAB", "DBCABCAB", Pull, "........", "DBCABCAB", 62, Match},
    {Easy, 0, ".......A", "BCDEFGH", "ABCDEFGH", Pull, "........", "ABCDEFGH", 44, Match},
    {Normal, 0, ".......A", "AAAAAAB", "AAAAAAAA", Pull, "........", "AAAAAAAB", 0, Nothing},
    {Normal, 7, ".......*", "*******", "ABCABCAB", Pull, "........", "********", 80, Clearing},
    {Casual, 0, ".......A", "ABBCCAA", "AABBCCAA", Pull, "........", "AABBCCAA", 0, Match},
    {ColorLines, 0, "......DC", "CCCCCCC", "CCCCCCCC", Pull, ".......D", "CCCCCCCC", 56, Line},
    {ColorLines, 0, ".......*", "*******", "", Pull, "........", "********", 8, Line},
    {ColorLines, 0, ".......D", "CCCCCCC", "DCCCCCCC", Pull, "........", "DCCCCCCC", 0, Nothing},
    {Normal, 5, "......AB", "CDE", "", Push, ".....ABC", "DE......", 0, Nothing},
    {Normal, 0, "...BBBBB", "AC", "", Push, "..BBBBBA", "C.......", 0, Nothing},
    {Normal, 0, "..BBBBBA", "C", "", Push, "..BBBBBA", "C.......", 0, Nothing},
    {Normal, 0, "AB.....C", "D", "", Push, "AB....CD", "........", 0, Nothing}, // rows 0 and 1 stay
    {Normal, 1, "......AB", "", "", Push, "......AB", "........", 0, Nothing},
    {Normal, 12, "........", "ABCABCAB", "", Flush, "........", "ABCABCAB", 4, Flushing},
    {Normal, 12, "........", "ABCDEFG", "", Flush, "........", "ABCDEFG.", 0, Nothing},
};

// The thread, then a letter for each running animation: clearing, match, refill.
std::string animation(const Game& game, const FrameResult&) {
    return slotsPicture(game.thread) + (game.threadClearing ? "c" : "") + (game.patternMatched ? "m" : "") +
           (game.patternRefill ? "r" : "");
}

} // namespace

TEST(ThreadOps, PullPushAndFlushWithWhatTheyEarn) {
    for (const auto& [mode, cursor, column, thread, pattern, op, columnAfter, threadAfter, points, outcome] :
         threadCases) {
        Game game;
        setModeParameters(game.mode, mode);
        game.cursorColumn = cursor;
        game.board = columnBoard(cursor, column);
        game.thread = slotsFrom(thread);
        game.pattern = slotsFrom(pattern);
        (op == Pull ? pullGem : op == Push ? pushGem : startTrashFlush)(game);
        SCOPED_TRACE(std::string(thread) + " with " + column + " in mode " + std::to_string(mode));
        EXPECT_EQ(columnPicture(game.board, cursor) + " " + slotsPicture(game.thread) + " " +
                      std::to_string(game.pointsThisFrame),
                  std::string(columnAfter) + " " + threadAfter + " " + std::to_string(points));
        // Running animations (clearing, match, flush), patterns and lines completed, and the cue.
        const char* const started[] = {"00 ", "c00 PatternShift!", "m10 PatternShift!", "c01 PatternShift!",
                                       "f00 TrashDrop!"};
        EXPECT_EQ(std::string(game.threadClearing ? "c" : "") + (game.patternMatched ? "m" : "") +
                      (game.trashFlushing ? "f" : "") + std::to_string(game.patternsCompleted) +
                      std::to_string(game.colorLinesCount) + " " + cuesPicture(game),
                  started[outcome]);
    }
}

TEST(ThreadAnimations, ACompletedThreadSlidesAwayAMatchWithThePatternWhichRisesAnewAndAFlushClimbsTheTube) {
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
    // The refill draws Gem90..Gem60 while maxKindIndex is 3: seed 77's first eight numbers modulo 4
    // (read from their last two digits) are 2 2 1 2 1 2 0 0 of 164215730 618066554 1684787909
    // 1344374482 1927109293 1031797530 584378508 1480613980.
    const std::string drawn = "CCBCBCAA";
    std::srand(77);
    const Show pattern = [](const Game& g, const FrameResult&) { return slotsPicture(g.pattern); };
    trace(play, std::vector<double>(7, 0.05), pattern);
    EXPECT_TRUE(game.patternRefill);
    EXPECT_EQ(trace(play, std::vector<double>(2, 0.05), pattern), drawn + " " + drawn)
        << "the refill stops when full";
    EXPECT_FALSE(game.patternRefill);
    // A thread of diamonds slides away the same way, even while paused, and the pattern stays.
    game.paused = true;
    game.board = columnBoard(6, ".......*");
    game.thread = slotsFrom("*******");
    pullGem(game);
    EXPECT_EQ(trace(play, {0.049, 0.001, 0.05, 0.05, 0.05, 0.05, 0.05, 0.05, 0.05}, animation),
              "********c .*******c ..******c ...*****c ....****c .....***c ......**c .......*c ........");
    EXPECT_EQ(slotsPicture(game.pattern), drawn);
    // A flush carries the thread up the tube from slot 0, one gem a step of 0.08 s counted from the last
    // step; a repeat pays nothing.
    game.thread = slotsFrom("ABCDEFGH");
    startTrashFlush(game);
    startTrashFlush(game);
    EXPECT_EQ(game.pointsThisFrame, 4);
    const Show tube = [](const Game& g, const FrameResult&) { return columnPicture(g.board, trashColumn); };
    EXPECT_EQ(trace(play, {0.09, 0.01, 0.09}, tube), ".......A .......A ......AB");
}
