// The player registry on real files: registering, recording best results, looking them up, deleting
// players and finding the last player in the list.
#include "scores/player_registry.h"

#include "scores_testing.h"

namespace {

constexpr int easy = 1;
constexpr int hard = 3;
constexpr int colorLines = 5;
constexpr int casual = 6;

std::string freshPlayer(const std::string& name) {
    return name + "\n" + fiveZeroLines;
}

std::string withLastPlayer(const std::string& players, const std::string& last) {
    return players + "[LAST_PLAYER]\n" + last + "\n";
}

} // namespace

TEST_F(ScoreFileTest, AddingPlayersAppendsThemAndMakesEachTheLastPlayer) {
    addPlayer(scoreFile, "Alpha");
    EXPECT_EQ(readText(scoreFile), withLastPlayer(freshPlayer("Alpha"), "Alpha"));
    addPlayer(scoreFile, "Bravo");
    EXPECT_EQ(readText(scoreFile), withLastPlayer(freshPlayer("Alpha") + freshPlayer("Bravo"), "Bravo"));
}

TEST_F(ScoreFileTest, TakenNameIsRefusedButLetterCaseMakesANewPlayer) {
    const std::string before = withLastPlayer(freshPlayer("Alpha") + freshPlayer("Bravo"), "Bravo");
    writeText(scoreFile, before);
    testing::internal::CaptureStdout();
    addPlayer(scoreFile, "Alpha");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Игрок с именем \"Alpha\" уже существует в файле рекордов.\n");
    EXPECT_EQ(readText(scoreFile), before);

    testing::internal::CaptureStdout();
    addPlayer(scoreFile, "alpha");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(readText(scoreFile),
              withLastPlayer(freshPlayer("Alpha") + freshPlayer("Bravo") + freshPlayer("alpha"), "alpha"));
}

TEST_F(ScoreFileTest, TenPlayersAtMost) {
    std::string players;
    for (int i = 1; i <= 9; ++i)
        players += freshPlayer("P" + std::to_string(i));
    writeText(scoreFile, withLastPlayer(players, "P9"));
    addPlayer(scoreFile, "P10");
    players += freshPlayer("P10");
    ASSERT_EQ(readText(scoreFile), withLastPlayer(players, "P10"));

    testing::internal::CaptureStdout();
    addPlayer(scoreFile, "P11");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Максимальное количество игроков (10) достигнуто. Новый игрок не добавлен.\n");
    EXPECT_EQ(readText(scoreFile), withLastPlayer(players, "P10"));
    EXPECT_EQ(storedBestScore(scoreFile, "P11", easy), 0);
}

TEST_F(ScoreFileTest, BetterScoreReplacesTheWholeStoredResult) {
    writeText(scoreFile, withLastPlayer(freshPlayer("Alpha") + freshPlayer("Bravo"), "Bravo"));
    recordResult(scoreFile, "Alpha", hard, 220, 1, 4);
    EXPECT_EQ(readText(scoreFile),
              withLastPlayer("Alpha\n0,0,0\n0,0,0\n220,1,4\n0,0,0\n0,0,0\n" + freshPlayer("Bravo"), "Alpha"));
    EXPECT_EQ(storedBestScore(scoreFile, "Alpha", hard), 220);
    EXPECT_EQ(storedBestScore(scoreFile, "Alpha", easy), 0);
    EXPECT_EQ(storedBestScore(scoreFile, "Bravo", hard), 0);
}

TEST_F(ScoreFileTest, TieOrLowerScoreKeepsTheStoredResultButStillRewrites) {
    const std::string players = "Alpha\n500,7,2\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n" + freshPlayer("Bravo");
    writeText(scoreFile, "\n" + withLastPlayer(players, "Bravo") + "junk after the last player\n");
    recordResult(scoreFile, "Alpha", easy, 500, 9, 9);
    EXPECT_EQ(readText(scoreFile), withLastPlayer(players, "Alpha"));
    recordResult(scoreFile, "Bravo", easy, -1, 9, 9);
    EXPECT_EQ(readText(scoreFile), withLastPlayer(players, "Bravo"));
    EXPECT_EQ(storedBestScore(scoreFile, "Alpha", easy), 500);
}

TEST_F(ScoreFileTest, ResultsOutsideTheStoredModesAreNotKept) {
    const std::string players = freshPlayer("Alpha") + "Bare\n";
    writeText(scoreFile, withLastPlayer(players, "Alpha"));
    for (int mode : {0, casual, -1})
        recordResult(scoreFile, "Alpha", mode, 900, 1, 1);
    recordResult(scoreFile, "Bare", easy, 900, 1, 1);
    EXPECT_EQ(readText(scoreFile), withLastPlayer(players, "Bare"));
    EXPECT_EQ(storedBestScore(scoreFile, "Bare", easy), 0);
    EXPECT_EQ(storedBestScore(scoreFile, "Alpha", casual), 0);
    EXPECT_EQ(storedBestScore(scoreFile, "Alpha", 0), 0);
}

TEST_F(ScoreFileTest, ResultForAnUnknownNameOnlyChangesTheLastPlayer) {
    writeText(scoreFile, withLastPlayer(freshPlayer("Alpha"), "Alpha"));
    recordResult(scoreFile, "Nobody", easy, 900, 1, 1);
    EXPECT_EQ(readText(scoreFile), withLastPlayer(freshPlayer("Alpha"), "Nobody"));
    EXPECT_EQ(storedBestScore(scoreFile, "Nobody", easy), 0);
}

TEST_F(ScoreFileTest, ResultWithTheFileMissingCreatesMarkerAndName) {
    recordResult(scoreFile, "Alpha", easy, 900, 1, 1);
    EXPECT_EQ(readText(scoreFile), "[LAST_PLAYER]\nAlpha\n");
}

TEST_F(ScoreFileTest, DuplicateRecordsOnlyTheFirstCounts) {
    writeText(scoreFile,
              withLastPlayer(freshPlayer("Alpha") + "Alpha\n9,9,9\n9,9,9\n9,9,9\n9,9,9\n77,1,1\n", "Alpha"));
    EXPECT_EQ(storedBestScore(scoreFile, "Alpha", colorLines), 0);
    recordResult(scoreFile, "Alpha", colorLines, 50, 2, 3);
    EXPECT_EQ(readText(scoreFile),
              withLastPlayer(
                  "Alpha\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n50,2,3\nAlpha\n9,9,9\n9,9,9\n9,9,9\n9,9,9\n77,1,1\n",
                  "Alpha"));
    EXPECT_EQ(indexOfLastPlayer(scoreFile), 0);
    deletePlayer(scoreFile, "Alpha");
    EXPECT_EQ(readText(scoreFile), "[LAST_PLAYER]\n\n");
}

TEST_F(ScoreFileTest, DeletingKeepsTheOrderAndMovesTheLastPlayerToTheLastRecord) {
    writeText(scoreFile,
              withLastPlayer(freshPlayer("Alpha") + freshPlayer("Bravo") + freshPlayer("Charlie"), "Bravo"));
    deletePlayer(scoreFile, "Bravo");
    EXPECT_EQ(readText(scoreFile), withLastPlayer(freshPlayer("Alpha") + freshPlayer("Charlie"), "Charlie"));
    deletePlayer(scoreFile, "Charlie");
    EXPECT_EQ(readText(scoreFile), withLastPlayer(freshPlayer("Alpha"), "Alpha"));
    deletePlayer(scoreFile, "Alpha");
    EXPECT_EQ(readText(scoreFile), "[LAST_PLAYER]\n\n");
    EXPECT_FALSE(fileIsEmpty(scoreFile));
    EXPECT_EQ(indexOfLastPlayer(scoreFile), -1);
}

TEST_F(ScoreFileTest, DeletingAnUnknownNameNormalisesTheFile) {
    writeText(scoreFile, "\n" + freshPlayer("Alpha") + "\n" + freshPlayer("Bravo") +
                             "[LAST_PLAYER]\r\nAlpha\r\nCharlie\n1,2,3\n");
    deletePlayer(scoreFile, "Zulu");
    EXPECT_EQ(readText(scoreFile), withLastPlayer(freshPlayer("Alpha") + freshPlayer("Bravo"), "Bravo"));
}

TEST_F(ScoreFileTest, LastPlayerIndexFollowsTheListOfNames) {
    EXPECT_EQ(indexOfLastPlayer(scoreFile), -1);
    writeText(scoreFile, withLastPlayer(freshPlayer("Alpha") + freshPlayer("Bravo"), "Bravo"));
    EXPECT_EQ(indexOfLastPlayer(scoreFile), 1);
    setLastPlayer(scoreFile, "Alpha");
    EXPECT_EQ(indexOfLastPlayer(scoreFile), 0);
    setLastPlayer(scoreFile, "Stranger");
    EXPECT_EQ(indexOfLastPlayer(scoreFile), -1);
    writeText(scoreFile,
              withLastPlayer(freshPlayer("Alpha") + freshPlayer("Bravo") + freshPlayer("Bravo"), "Bravo"));
    EXPECT_EQ(indexOfLastPlayer(scoreFile), 1);
}
