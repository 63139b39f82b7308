// The falling gem: its fall row by row, landing, the spawn delay, and the choice of the next gem's
// kind checked against the rand() numbers it must have used.
#include "game_testing.h"

#include <cstdlib>
#include <iterator>
#include <tuple>

namespace {

std::string fallRow(const Game& game, const FrameResult&) {
    return std::to_string(game.fallRow) + (game.landed ? " landed" : "");
}

// Per seed from first to last, the kind chosen and how many rand() numbers it took: "C4" is Gem70
// after the percent draw and three kind draws.
std::string choices(const Game& game, unsigned first, unsigned last) {
    std::string text;
    for (unsigned seed = first; seed <= last; ++seed) {
        std::srand(seed);
        const int kind = chooseNextKind(game), next = std::rand();
        int taken = 0;
        for (std::srand(seed); std::rand() != next;)
            ++taken;
        text += (text.empty() ? "" : " ") + std::string(1, kindLetters[kind + 1]) + std::to_string(taken);
    }
    return text;
}

Game weighing(int mode, int maxKindIndex, const Board& board) {
    Game game;
    setModeParameters(game.mode, static_cast<GameMode>(mode));
    game.maxKindIndex = maxKindIndex;
    game.board = board;
    return game;
}

} // namespace

TEST(FallUpdate, MovesOneRowPerIntervalAndLandsWithASound) {
    PlayHarness play;
    Game& game = play.game;
    game.fallColumn = 2;
    game.fallKind = 1;
    game.board = boardFrom({"..A"}); // lands on row 6
    // 0.7 s per row on level 1; resting on A the interval is 0, so the next frame lands it.
    EXPECT_EQ(trace(play, {0.69, 0.01, 0.7001, 0.7001, 0.7001, 0.7001, 0.7001, 0.001}, fallRow),
              "0 1 2 3 4 5 6 6 landed");
    EXPECT_EQ(columnPicture(game.board, 2) + " " + cuesPicture(game), "......BA GemFall");
}

TEST(ChooseNextKind, WeighsTheKindsInPlayByHowScarceTheyAreInThePlayColumns) {
    // The first draws of seeds 1 to 8 (the percent draw, then one for Gem90, Gem80, Gem70):
    //   1: 1804289383 846930886 1681692777 1714636915   5: 590011675 99788765 2131925610 171864072
    //   2: 1505335290 1738766719 190686788 260874575    6: 290852541 2066988985 1717401112 865455665
    //   3: 1205554746 483147985 844158168 953350440     7: 1045618677 1863967299 1272579899 461085871
    //   4: 1968078301 287724083 410622274 558519326     8: 757547896 1695630744 1945246242 94247549
    // Gem90 covering the play columns weighs 0, so the larger of the last two draws wins: Gem70 for
    // seeds 1 to 4, Gem80 for 5 to 8. Empty play columns weigh nothing and give Gem90, yet every kind
    // in play still takes its draw. The tube never counts.
    const Board tubeOnly = boardFrom({"............D", "............D"});
    const Board gem90Only = boardFrom({"A...........B", "AA.......A..B", "AAA.A..A.A.AB"});
    EXPECT_EQ(choices(weighing(Easy, 2, gem90Only), 1, 8), "C4 C4 C4 C4 B4 B4 B4 B4");
    EXPECT_EQ(choices(weighing(Easy, 2, tubeOnly), 1, 1) + choices(weighing(Easy, 7, tubeOnly), 2, 2),
              "A4A9");
    // Trash counts in the total: Gem90 keeps 3/4 of its weight, winning the integral of (3u/4)^2: 3/16.
    const Game trash = weighing(Easy, 2, boardFrom({"A#.#.#"}));
    std::srand(99);
    int gem90 = 0;
    for (int i = 0; i < 3000; ++i)
        gem90 += chooseNextKind(trash) == 0 ? 1 : 0;
    EXPECT_TRUE(450 < gem90 && gem90 < 675) << gem90;
}

TEST(ModeParameters, SetTheFallIntervalAndTheChancesOfDiamondAndTrashButNotTheSpawnDelay) {
    // Seeds whose first draw modulo 100, the percent set against the diamond chance, then against the
    // diamond and trash chances together, is: 95: 0, 60: 5, 40: 6, 122: 10, 20: 11, 9: 15, 306: 16, 307: 25,
    // 170: 26, 59: 35, 39: 36. Chances: Normal 6, 10; Hard 6, 20; VeryHard 6, 30; none set (start-up) 1, 10.
    // The rest is Gem90 after three kind draws on the empty board. Then the fall interval at a speed-up of
    // 0.1.
    const unsigned seeds[] = {95, 60, 40, 122, 20, 9, 306, 307, 170, 59, 39};
    using Row = std::tuple<GameMode, const char*, float>;
    const Row rows[] = {{Easy, "AAAAAAAAAAA", 0.6f},       {Normal, "**####AAAAA", 0.6f},
                        {Hard, "**######AAA", 0.5f},       {VeryHard, "**########A", 0.4f},
                        {ColorLines, "AAAAAAAAAAA", 0.6f}, {Casual, "AAAAAAAAAAA", 0.1f},
                        {GameMode{}, "*###AAAAAAA", 0.6f}};
    for (const auto& [mode, kinds, interval] : rows) {
        Game game = weighing(mode, 2, Board{});
        game.fallSpeedup = 0.1f;
        std::string expected, chosen;
        for (std::size_t i = 0; i < std::size(seeds); ++i) {
            expected += std::string(1, kinds[i]) + (kinds[i] == 'A' ? "4 " : "1 ");
            chosen += choices(game, seeds[i], seeds[i]) + " ";
        }
        EXPECT_EQ(chosen, expected) << "mode " << mode;
        EXPECT_EQ(game.mode.gameMode, mode == 0 ? Normal : mode);
        EXPECT_NEAR(fallInterval(game), interval, 1e-6) << "mode " << mode;
        EXPECT_NEAR(spawnDelay(game), 0.3f, 1e-6) << "mode " << mode;
    }
}
