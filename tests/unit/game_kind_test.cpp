// The choice of the next gem's kind: the diamond and trash draw, then the coloured kinds weighed by
// how scarce they are on the board. Each check replays the rand() sequence the rule must have used.
#include "game_testing.h"

#include <array>
#include <cstdlib>

namespace {

struct Draws {
    int percent = 0;
    std::array<int, 9> raw{}; // the numbers that follow the percent draw
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

Game colouredOnly(int maxKindIndex) {
    Game game;
    game.mode.diamondChance = 0;
    game.mode.trashChance = 0;
    game.maxKindIndex = maxKindIndex;
    return game;
}

} // namespace

TEST(ChooseNextKind, EmptyPlayColumnsGiveGem90AfterDrawingForEveryKind) {
    for (int maxKind : {2, 7}) {
        Game game = colouredOnly(maxKind);
        game.board = boardFrom({"............D", "............D"}); // the tube does not count
        for (unsigned seed = 1; seed <= 20; ++seed) {
            const Draws draws = recordDraws(seed);
            EXPECT_EQ(chooseNextKind(game), 0);
            EXPECT_EQ(std::rand(), draws.raw[maxKind + 1]) << "one number per kind in play";
        }
    }
}

TEST(ChooseNextKind, KindCoveringTheWholeBoardIsNeverChosen) {
    // Only Gem90 stands in the play columns (the tube's Gem80s do not count): Gem90 weighs 0, Gem80
    // and Gem70 weigh their raw draws, and on a tie the lower index wins.
    Game game = colouredOnly(2);
    game.board = boardFrom({"A...........B", "AA.......A..B", "AAA.A..A.A.AB"});
    int tiesOrWins = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const Draws draws = recordDraws(seed);
        const int expected = draws.raw[1] >= draws.raw[2] ? 1 : 2;
        tiesOrWins += expected == 1 ? 1 : 0;
        EXPECT_EQ(chooseNextKind(game), expected) << "seed " << seed;
    }
    EXPECT_GT(tiesOrWins, 0);
    EXPECT_LT(tiesOrWins, 300);
}

TEST(ChooseNextKind, TrashCountsInTheTotalButIsNeverAWeighedKind) {
    // One Gem90 among three trash: Gem90 keeps three quarters of its weight and wins sometimes.
    Game game = colouredOnly(2);
    game.board = boardFrom({"A#.#.#"});
    int gem90 = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        recordDraws(seed);
        const int kind = chooseNextKind(game);
        EXPECT_GE(kind, 0);
        EXPECT_LE(kind, 2);
        gem90 += kind == 0 ? 1 : 0;
    }
    EXPECT_GT(gem90, 30);
    EXPECT_LT(gem90, 150);
}

TEST(ChooseNextKind, CommonKindsComeLessOften) {
    // Gem90 on three quarters of the board, Gem80 on a quarter, Gem70 absent.
    Game game = colouredOnly(2);
    game.board = boardFrom({"AAABAAABAAAB"});
    std::array<int, 3> counts{};
    std::srand(99);
    for (int i = 0; i < 3000; ++i) {
        ++counts[chooseNextKind(game)];
    }
    EXPECT_LT(counts[0], counts[1]);
    EXPECT_LT(counts[1], counts[2]);
    EXPECT_GT(counts[0], 0);
}

TEST(ChooseNextKind, OnlyKindsInPlayAreChosen) {
    Game game = colouredOnly(4);
    std::array<int, 10> counts{};
    std::srand(5);
    game.board = boardFrom({"ABCDE.FGH*#"});
    for (int i = 0; i < 2000; ++i) {
        ++counts[chooseNextKind(game)];
    }
    for (int kind = 0; kind <= 4; ++kind) {
        EXPECT_GT(counts[kind], 0) << "kind " << kind;
    }
    for (int kind = 5; kind <= 9; ++kind) {
        EXPECT_EQ(counts[kind], 0) << "kind " << kind;
    }
}

TEST(ChooseNextKind, DiamondAndTrashFollowThePercentDraw) {
    Game game;
    setModeParameters(game.mode, VeryHard); // diamond below 6, trash from 6 to 35
    game.board = boardFrom({"A"});
    int diamonds = 0;
    int trash = 0;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        const Draws draws = recordDraws(seed);
        const int kind = chooseNextKind(game);
        if (draws.percent < 6) {
            EXPECT_EQ(kind, 8) << "seed " << seed;
            EXPECT_EQ(std::rand(), draws.raw[0]) << "a diamond takes no kind draws";
            ++diamonds;
        } else if (draws.percent < 36) {
            EXPECT_EQ(kind, 9) << "seed " << seed;
            ++trash;
        } else {
            EXPECT_LE(kind, 2) << "seed " << seed;
        }
    }
    EXPECT_GT(diamonds, 0);
    EXPECT_GT(trash, 0);
}

TEST(ChooseNextKind, ChancesOverManyDraws) {
    struct Case {
        GameMode mode;
        int diamondLow, diamondHigh, trashLow, trashHigh; // per 10000 draws
    };
    const Case cases[] = {
        {Easy, 0, 0, 0, 0},           {Normal, 520, 680, 900, 1100},
        {Hard, 520, 680, 1850, 2150}, {VeryHard, 520, 680, 2800, 3200},
        {ColorLines, 0, 0, 0, 0},     {Casual, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Game game;
        setModeParameters(game.mode, c.mode);
        std::srand(2024);
        int diamonds = 0;
        int trash = 0;
        for (int i = 0; i < 10000; ++i) {
            const int kind = chooseNextKind(game);
            diamonds += kind == 8 ? 1 : 0;
            trash += kind == 9 ? 1 : 0;
        }
        EXPECT_GE(diamonds, c.diamondLow) << "mode " << c.mode;
        EXPECT_LE(diamonds, c.diamondHigh) << "mode " << c.mode;
        EXPECT_GE(trash, c.trashLow) << "mode " << c.mode;
        EXPECT_LE(trash, c.trashHigh) << "mode " << c.mode;
    }
}

TEST(ChooseNextKind, StartUpValuesGiveOnePercentDiamonds) {
    Game game; // no mode button pressed yet
    for (unsigned seed = 1; seed <= 400; ++seed) {
        const Draws draws = recordDraws(seed);
        const int kind = chooseNextKind(game);
        if (draws.percent == 0) {
            EXPECT_EQ(kind, 8);
        } else if (draws.percent <= 10) {
            EXPECT_EQ(kind, 9);
        } else {
            EXPECT_EQ(kind, 0) << "empty board";
        }
    }
}
