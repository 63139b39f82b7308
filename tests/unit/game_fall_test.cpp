// The falling gem: its fall row by row, landing, the spawn delay, and the choice of the next gem's
// kind checked against the rand() numbers it must have used.
#include "game_testing.h"

#include <array>
#include <cstdlib>

TEST(FallUpdate, MovesOneRowPerIntervalThenLandsWithASoundIfSoundIsOn) {
    for (bool sound : {true, false}) {
        PlayHarness play;
        Game& game = play.game;
        game.audio.soundEnabled = sound;
        game.fallColumn = 2;
        game.fallKind = 1;
        game.board = boardFrom({"..A"}); // lands on row 6
        const Show row = [](const Game& g, const FrameResult&) {
            return std::to_string(g.fallRow) + (g.landed ? " landed" : "");
        };
        // 0.7 s per row on level 1; resting on A the interval is 0, so the next frame lands it.
        EXPECT_EQ(trace(play, {0.69, 0.01, 0.7001, 0.7001, 0.7001, 0.7001, 0.7001, 0.001}, row),
                  "0 1 2 3 4 5 6 6 landed");
        EXPECT_EQ(columnPicture(game.board, 2), "......BA");
        EXPECT_EQ(cuesPicture(game), sound ? "GemFall" : "");
    }
}

TEST(FallUpdate, IntervalFollowsTheModeAndTheSpeedupButTheSpawnDelayOnlyTheSpeedup) {
    const struct {
        int mode; // 0: no mode button pressed yet
        float speedup;
        int fallRow; // over column 0, which holds a gem in row 7
        float interval, spawnDelay;
    } cases[] = {
        {0, 0.0f, 0, 0.7f, 0.35f},      {Easy, 0.0f, 0, 0.7f, 0.35f},     {Normal, 0.0f, 0, 0.7f, 0.35f},
        {Hard, 0.1f, 0, 0.5f, 0.3f},    {VeryHard, 0.0f, 0, 0.5f, 0.35f}, {ColorLines, 0.0f, 0, 0.7f, 0.35f},
        {Casual, 0.0f, 5, 0.2f, 0.35f}, {Normal, 0.1f, 6, 0.0f, 0.3f},    {VeryHard, 0.0f, 7, 0.0f, 0.35f},
    };
    for (const auto& c : cases) {
        Game game;
        setModeParameters(game.mode, static_cast<GameMode>(c.mode));
        game.fallSpeedup = c.speedup;
        game.fallRow = c.fallRow;
        game.board = boardFrom({"A"});
        EXPECT_NEAR(fallInterval(game), c.interval, 1e-6) << "mode " << c.mode << " row " << c.fallRow;
        EXPECT_NEAR(spawnDelay(game), c.spawnDelay, 1e-6) << "mode " << c.mode;
    }
}

TEST(FallUpdate, GemStandsStillWhilePausedOrAfterTheTimeRanOut) {
    PlayHarness play;
    togglePause(play.game);
    frame(play, 5.0);
    togglePause(play.game);
    play.game.timeUp = true;
    frame(play, 5.0);
    frame(play, 5.0);
    EXPECT_EQ(play.game.fallRow, 0);
    EXPECT_TRUE(play.game.gemActive);
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
        EXPECT_EQ(game.fallColumn, column);
        EXPECT_EQ(game.fallKind, 8);
        EXPECT_EQ(std::rand(), following) << "a spawn with a diamond draw takes exactly two numbers";
        const Show row = [](const Game& g, const FrameResult&) { return std::to_string(g.fallRow); };
        EXPECT_EQ(trace(play, {0.69, 0.02}, row), "0 1");
    }
}

namespace {

// The percent draw of a seed and the raw numbers that may follow it; rand() starts over afterwards.
struct Draws {
    int percent = 0;
    std::array<int, 9> raw{};
};

Draws recordDraws(unsigned seed) {
    std::srand(seed);
    Draws draws;
    draws.percent = std::rand() % 100;
    for (int& value : draws.raw) {
        value = std::rand();
    }
    std::srand(seed);
    return draws;
}

Game weighing(int maxKindIndex, const Board& board) {
    Game game;
    setModeParameters(game.mode, Easy); // neither diamonds nor trash
    game.maxKindIndex = maxKindIndex;
    game.board = board;
    return game;
}

std::array<int, 10> tally(const Game& game, int draws) {
    std::array<int, 10> counts{};
    std::srand(99);
    for (int i = 0; i < draws; ++i) {
        ++counts[chooseNextKind(game)];
    }
    return counts;
}

} // namespace

TEST(ChooseNextKind, WeighsTheKindsInPlayByHowScarceTheyAreInThePlayColumns) {
    // Empty play columns give Gem90. A kind covering them weighs 0, so Gem80 and Gem70 weigh their
    // raw draws and a tie goes to the lower kind. The tube never counts.
    const Board tubeOnly = boardFrom({"............D", "............D"});
    const Board gem90Only = boardFrom({"A...........B", "AA.......A..B", "AAA.A..A.A.AB"});
    const struct {
        Board board;
        int maxKind;
        int (*expected)(const Draws&);
    } cases[] = {
        {tubeOnly, 2, [](const Draws&) { return 0; }},
        {tubeOnly, 7, [](const Draws&) { return 0; }},
        {gem90Only, 2, [](const Draws& d) { return d.raw[1] >= d.raw[2] ? 1 : 2; }},
    };
    for (const auto& c : cases) {
        const Game game = weighing(c.maxKind, c.board);
        for (unsigned seed = 1; seed <= 100; ++seed) {
            const Draws draws = recordDraws(seed);
            EXPECT_EQ(chooseNextKind(game), c.expected(draws)) << "seed " << seed;
            EXPECT_EQ(std::rand(), draws.raw[c.maxKind + 1]) << "one number per kind in play";
        }
    }
}

TEST(ChooseNextKind, ScarceKindsComeMoreOftenAndOnlyKindsInPlayCome) {
    // Gem90 on three quarters of the board, Gem80 on a quarter, Gem70 absent.
    const std::array<int, 10> common = tally(weighing(2, boardFrom({"AAABAAABAAAB"})), 3000);
    EXPECT_GT(common[0], 0);
    EXPECT_LT(common[0], common[1]);
    EXPECT_LT(common[1], common[2]);
    // Trash counts in the total: Gem90 keeps three quarters of its weight, winning 3/16 of the draws.
    const std::array<int, 10> trash = tally(weighing(2, boardFrom({"A#.#.#"})), 3000);
    EXPECT_GT(trash[0], 450);
    EXPECT_LT(trash[0], 675);
    const std::array<int, 10> five = tally(weighing(4, boardFrom({"ABCDE.FGH*#"})), 2000);
    for (int kind = 0; kind < 10; ++kind) {
        EXPECT_EQ(five[kind] > 0, kind <= 4) << "kind " << kind;
    }
}

TEST(ChooseNextKind, DiamondAndTrashFollowThePercentDrawAndTheModesChances) {
    const struct {
        int mode; // 0: no mode button pressed yet
        int diamondBelow, trashBelow;
    } cases[] = {{Easy, 0, 0},       {Normal, 6, 16}, {Hard, 6, 26}, {VeryHard, 6, 36},
                 {ColorLines, 0, 0}, {Casual, 0, 0},  {0, 1, 11}};
    for (const auto& c : cases) {
        Game game;
        setModeParameters(game.mode, static_cast<GameMode>(c.mode));
        EXPECT_EQ(game.mode.gameMode, c.mode == 0 ? Normal : c.mode);
        for (unsigned seed = 1; seed <= 400; ++seed) {
            const Draws draws = recordDraws(seed);
            const int kind = chooseNextKind(game);
            const int expected = draws.percent < c.diamondBelow ? 8 : draws.percent < c.trashBelow ? 9 : 0;
            EXPECT_EQ(kind, expected)
                << "mode " << c.mode << " seed " << seed << ", an empty board gives Gem90";
            if (kind == 8) {
                EXPECT_EQ(std::rand(), draws.raw[0]) << "a diamond takes no kind draws";
            }
        }
    }
}
