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

std::array<int, 10> tally(const Game& game, int draws) {
    std::array<int, 10> counts{};
    std::srand(99);
    for (int i = 0; i < draws; ++i)
        ++counts[chooseNextKind(game)];
    return counts;
}

} // namespace

TEST(FallUpdate, MovesOneRowPerIntervalAndLandsWithASoundButNotWhilePausedOrAfterTheTimeRanOut) {
    PlayHarness play;
    Game& game = play.game;
    game.fallColumn = 2;
    game.fallKind = 1;
    game.board = boardFrom({"..A"}); // lands on row 6
    // 0.7 s per row on level 1; resting on A the interval is 0, so the next frame lands it.
    EXPECT_EQ(trace(play, {0.69, 0.01, 0.7001, 0.7001, 0.7001, 0.7001, 0.7001, 0.001}, fallRow),
              "0 1 2 3 4 5 6 6 landed");
    EXPECT_EQ(columnPicture(game.board, 2) + " " + cuesPicture(game), "......BA GemFall");
    PlayHarness still;
    togglePause(still.game);
    frame(still, 5.0);
    togglePause(still.game);
    still.game.timeUp = true;
    EXPECT_EQ(trace(still, {5.0, 5.0}, fallRow), "0 0");
    EXPECT_TRUE(still.game.gemActive);
}

TEST(FallUpdate, IntervalFollowsTheModeAndTheSpeedupButTheSpawnDelayOnlyTheSpeedup) {
    // mode 0: no mode button pressed yet; the gem stands over column 0, which holds a gem in row 7.
    using Row = std::tuple<int, float, int, float, float>; // mode, speedup, row, interval, spawn delay
    const Row rows[] = {
        {0, 0.0f, 0, 0.7f, 0.35f},      {Easy, 0.0f, 0, 0.7f, 0.35f},     {Normal, 0.0f, 0, 0.7f, 0.35f},
        {Hard, 0.1f, 0, 0.5f, 0.3f},    {VeryHard, 0.0f, 0, 0.5f, 0.35f}, {ColorLines, 0.0f, 0, 0.7f, 0.35f},
        {Casual, 0.0f, 5, 0.2f, 0.35f}, {Normal, 0.1f, 6, 0.0f, 0.3f},    {VeryHard, 0.0f, 7, 0.0f, 0.35f}};
    for (const auto& [mode, speedup, row, interval, spawn] : rows) {
        Game game = weighing(mode, 2, boardFrom({"A"}));
        game.fallSpeedup = speedup;
        game.fallRow = row;
        EXPECT_NEAR(fallInterval(game), interval, 1e-6) << "mode " << mode << " row " << row;
        EXPECT_NEAR(spawnDelay(game), spawn, 1e-6) << "mode " << mode;
    }
}

TEST(Spawn, AfterTheDelayDrawsTheColumnThenTheKindAndRestartsTheFallClock) {
    for (unsigned seed : {3u, 17u, 4242u}) {
        std::srand(seed);
        const int column = std::rand() % 12;
        std::rand(); // the diamond-or-trash draw
        const int following = std::rand();
        PlayHarness play;
        Game& game = play.game;
        game.mode.diamondChance = 100;
        game.fallRow = 7;
        frame(play, 0.01); // lands on the bottom
        std::srand(seed);
        frame(play, 0.36);
        EXPECT_TRUE(game.gemActive && !game.landed);
        EXPECT_EQ(game.fallColumn * 100 + game.fallKind, column * 100 + 8);
        EXPECT_EQ(std::rand(), following) << "a spawn with a diamond draw takes exactly two numbers";
        EXPECT_EQ(trace(play, {0.69, 0.02}, fallRow), "0 1");
    }
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
    // Gem90 on three quarters of the board, Gem80 on a quarter, Gem70 absent: scarce kinds come more.
    const std::array<int, 10> common = tally(weighing(Easy, 2, boardFrom({"AAABAAABAAAB"})), 3000);
    EXPECT_TRUE(0 < common[0] && common[0] < common[1] && common[1] < common[2]);
    // Trash counts in the total: Gem90 keeps three quarters of its weight, winning 3/16 of the draws.
    const std::array<int, 10> trash = tally(weighing(Easy, 2, boardFrom({"A#.#.#"})), 3000);
    EXPECT_TRUE(450 < trash[0] && trash[0] < 675) << trash[0];
    const std::array<int, 10> five = tally(weighing(Easy, 4, boardFrom({"ABCDE.FGH*#"})), 2000);
    for (int kind = 0; kind < 10; ++kind)
        EXPECT_EQ(five[kind] > 0, kind <= 4) << "only kinds in play come: kind " << kind;
}

TEST(ChooseNextKind, DiamondAndTrashFollowThePercentDrawAndTheModesChances) {
    using Row = std::tuple<GameMode, int, int>; // the percent draws below which a diamond, trash come
    const Row rows[] = {{Easy, 0, 0},       {Normal, 6, 16}, {Hard, 6, 26},      {VeryHard, 6, 36},
                        {ColorLines, 0, 0}, {Casual, 0, 0},  {GameMode{}, 1, 11}};
    for (const auto& [mode, diamondBelow, trashBelow] : rows) {
        const Game game = weighing(mode, 2, Board{});
        EXPECT_EQ(game.mode.gameMode, mode == 0 ? Normal : mode);
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
