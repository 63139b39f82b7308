// The falling gem: its fall row by row, landing, the spawn delay, and the choice of the next gem's
// kind checked against the rand() numbers it must have used.
#include "game_testing.h"

#include <array>
#include <cstdlib>
#include <tuple>

namespace {

std::string fallRow(const Game& game, const FrameResult&) {
    return std::to_string(game.fallRow) + (game.landed ? " landed" : "");
}

// The first ten rand() numbers of a seed, after which rand() starts over: the percent draw, then the
// raw numbers that may follow it.
std::array<int, 10> recordDraws(unsigned seed) {
    std::array<int, 10> draws{};
    std::srand(seed);
    for (int& value : draws)
        value = std::rand();
    std::srand(seed);
    return draws;
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
    // Empty play columns give Gem90. A kind covering them weighs 0, so Gem80 and Gem70 weigh their
    // raw draws and a tie goes to the lower kind. The tube never counts.
    const Board tubeOnly = boardFrom({"............D", "............D"});
    const Board gem90Only = boardFrom({"A...........B", "AA.......A..B", "AAA.A..A.A.AB"});
    for (const auto& [board, maxKind, weighed] :
         {std::tuple{tubeOnly, 2, false}, {tubeOnly, 7, false}, {gem90Only, 2, true}}) {
        const Game game = weighing(Easy, maxKind, board); // neither diamonds nor trash
        for (unsigned seed = 1; seed <= 100; ++seed) {
            const std::array<int, 10> d = recordDraws(seed);
            EXPECT_EQ(chooseNextKind(game), weighed ? (d[2] >= d[3] ? 1 : 2) : 0) << "seed " << seed;
            EXPECT_EQ(std::rand(), d[maxKind + 2]) << "one number per kind in play";
        }
    }
    // Trash counts in the total: Gem90 keeps three quarters of its weight, winning 3/16 of the draws.
    const Game trash = weighing(Easy, 2, boardFrom({"A#.#.#"}));
    std::srand(99);
    int gem90 = 0;
    for (int i = 0; i < 3000; ++i)
        gem90 += chooseNextKind(trash) == 0 ? 1 : 0;
    EXPECT_TRUE(450 < gem90 && gem90 < 675) << gem90;
}

TEST(ModeParameters, SetTheFallIntervalAndTheChancesOfDiamondAndTrashButNotTheSpawnDelay) {
    // The percent draws below which a diamond, trash come, and the fall interval at a speed-up of 0.1.
    using Row = std::tuple<GameMode, int, int, float>;
    const Row rows[] = {{Easy, 0, 0, 0.6f},       {Normal, 6, 16, 0.6f},    {Hard, 6, 26, 0.5f},
                        {VeryHard, 6, 36, 0.4f},  {ColorLines, 0, 0, 0.6f}, {Casual, 0, 0, 0.1f},
                        {GameMode{}, 1, 11, 0.6f}};
    for (const auto& [mode, diamondBelow, trashBelow, interval] : rows) {
        Game game = weighing(mode, 2, Board{});
        game.fallSpeedup = 0.1f;
        EXPECT_EQ(game.mode.gameMode, mode == 0 ? Normal : mode);
        EXPECT_NEAR(fallInterval(game), interval, 1e-6) << "mode " << mode;
        EXPECT_NEAR(spawnDelay(game), 0.3f, 1e-6) << "mode " << mode;
        for (unsigned seed = 1; seed <= 400; ++seed) {
            const std::array<int, 10> draws = recordDraws(seed);
            const int kind = chooseNextKind(game), percent = draws[0] % 100;
            const int expected = percent < diamondBelow ? 8 : percent < trashBelow ? 9 : 0;
            EXPECT_EQ(kind, expected)
                << "mode " << mode << " seed " << seed; // else Gem90, the board is empty
            EXPECT_TRUE(kind != 8 || std::rand() == draws[1]) << "a diamond takes no kind draws";
        }
    }
}
