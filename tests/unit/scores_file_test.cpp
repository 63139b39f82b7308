// The high-score file's line grammar, its start-up check, its readers and its writers, on real files.
#include "scores/highscore_file.h"
#include "scores/score_lines.h"

#include "scores_testing.h"

namespace {

ModeResult resultOf(int score, int levelsCompleted, int matches) {
    ModeResult result;
    result.score = score;
    result.levelsCompleted = levelsCompleted;
    result.matches = matches;
    return result;
}

std::vector<ModeResult> zeroResults() {
    return std::vector<ModeResult>(resultSlots);
}

std::string playerBlock(const std::string& name, int resultLines) {
    std::string text = name + "\n";
    for (int i = 0; i < resultLines; ++i)
        text += "1,2,3\n";
    return text;
}

} // namespace

TEST(ScoreLineGrammar, ResultLinesReadScoreThenLevelsThenMatches) {
    ModeResult result;
    ASSERT_TRUE(parseResultLine("1450,4,3", result));
    EXPECT_EQ(result.score, 1450);
    EXPECT_EQ(result.levelsCompleted, 4);
    EXPECT_EQ(result.matches, 3);
    EXPECT_EQ(formatResultLine(resultOf(1450, 4, 3)), "1450,4,3");
    EXPECT_EQ(formatResultLine(resultOf(-7, 0, 12)), "-7,0,12");
}

TEST(ScoreLineGrammar, BlanksBeforeNumbersAndTrailingTextAreAccepted) {
    const std::pair<std::string, ModeResult> cases[] = {
        {"12, 3, 4", resultOf(12, 3, 4)},
        {"12,3,4xyz", resultOf(12, 3, 4)},
        {" \t-5,+0, 7 ,", resultOf(-5, 0, 7)},
        {"0000000000012,3,4", resultOf(12, 3, 4)},
        {"1,2,3,4,5", resultOf(1, 2, 3)},
        {"2147483647,-2147483648,0", resultOf(2147483647, -2147483647 - 1, 0)},
    };
    for (const auto& [line, expected] : cases) {
        ModeResult result;
        EXPECT_TRUE(parseResultLine(line, result)) << line;
        EXPECT_EQ(result, expected) << line;
    }
}

TEST(ScoreLineGrammar, LinesThatDoNotYieldThreeNumbersAreRefused) {
    const std::string refused[] = {
        "12,3",  "a,b,c",   "12 ,3,4", "12,,3",          ",1,2,3",          "1,2,",
        "-,1,2", "1,2,- 3", "0x1,2,3", "2147483648,0,0", "0,-2147483649,0", "0,0,99999999999999999999"};
    for (const std::string& line : refused) {
        ModeResult result = resultOf(9, 9, 9);
        EXPECT_FALSE(parseResultLine(line, result)) << line;
        EXPECT_EQ(result, resultOf(9, 9, 9)) << "a refused line must not change the result: " << line;
    }
}

TEST(ScoreLineGrammar, LineKindsAreRecognisedInOrder) {
    EXPECT_EQ(classifyLine(""), LineKind::Empty);
    EXPECT_EQ(classifyLine("[LAST_PLAYER]"), LineKind::Marker);
    EXPECT_EQ(classifyLine("[LAST_PLAYER] "), LineKind::Name);
    EXPECT_EQ(classifyLine("[last_player]"), LineKind::Name);
    EXPECT_EQ(classifyLine("a,b"), LineKind::Result);
    EXPECT_EQ(classifyLine(","), LineKind::Result);
    EXPECT_EQ(classifyLine(" "), LineKind::Name);
    EXPECT_EQ(classifyLine("Alpha"), LineKind::Name);
}

TEST(ScoreLineGrammar, LinesSplitAtLineFeedsWithCarriageReturnsDropped) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("a"), Lines{"a"});
    EXPECT_EQ(splitLines("a\n"), Lines{"a"});
    EXPECT_EQ(splitLines("a\n\nb\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\rb\r\r\n"), Lines{"a\rb"});
}

TEST_F(ScoreFileTest, ExistenceAndEmptiness) {
    EXPECT_FALSE(fileExists(scoreFile));
    EXPECT_TRUE(fileIsEmpty(scoreFile));
    writeText(scoreFile, "");
    EXPECT_TRUE(fileExists(scoreFile));
    EXPECT_TRUE(fileIsEmpty(scoreFile));
    writeText(scoreFile, "\n");
    EXPECT_FALSE(fileIsEmpty(scoreFile));
}

TEST_F(ScoreFileTest, CheckKeepsWellFormedFilesByteForByte) {
    const std::string kept[] = {
        twoPlayerFile,
        "[LAST_PLAYER]\n\n",
        "Alpha\n[LAST_PLAYER]\nAlpha\n",
        "\nAlpha\n\n" + fiveZeroLines + "\n[LAST_PLAYER]\nAlpha",
        // Nothing after the marker is examined.
        "Alpha\n[LAST_PLAYER]\nAlpha\n1,2\nBravo\n1,2,3\n",
        "Alpha\n12, 3, 4\n12,3,4xyz\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\n",
    };
    for (const std::string& text : kept) {
        writeText(scoreFile, text);
        testing::internal::CaptureStderr();
        validateHighScoreFile(scoreFile);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << text;
        EXPECT_EQ(readText(scoreFile), text);
        EXPECT_FALSE(pathExists(backupPathFor(scoreFile))) << text;
    }
}

TEST_F(ScoreFileTest, CheckEmptiesMalformedFiles) {
    const std::string emptied[] = {
        "Alpha\n" + fiveZeroLines + "Bravo\n" + fiveZeroLines,
        "\n\n",
        "Alpha\n12,3\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nAlpha\n",
        "Alpha\na,b,c\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nAlpha\n",
        "0,0,0\n0,0,0\nAlpha\n[LAST_PLAYER]\nAlpha\n",
        "Alpha\n" + fiveZeroLines + "0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nAlpha\n",
    };
    for (const std::string& text : emptied) {
        writeText(scoreFile, text);
        testing::internal::CaptureStderr();
        validateHighScoreFile(scoreFile);
        testing::internal::GetCapturedStderr();
        EXPECT_TRUE(fileExists(scoreFile)) << text;
        EXPECT_EQ(readText(scoreFile), "") << text;
    }
}

TEST_F(ScoreFileTest, CheckAcceptsOnlyZeroOrFiveResultLinesPerPlayer) {
    for (int count = 0; count <= 7; ++count) {
        const std::string text =
            playerBlock("Alpha", count) + playerBlock("Bravo", 0) + "[LAST_PLAYER]\nBravo\n";
        writeText(scoreFile, text);
        testing::internal::CaptureStderr();
        validateHighScoreFile(scoreFile);
        testing::internal::GetCapturedStderr();
        const bool kept = count == 0 || count == resultSlots;
        EXPECT_EQ(readText(scoreFile), kept ? text : "") << count << " result lines";
        // The block just before the marker is counted too.
        const std::string lastBlock = playerBlock("Alpha", count) + "[LAST_PLAYER]\n";
        writeText(scoreFile, lastBlock);
        testing::internal::CaptureStderr();
        validateHighScoreFile(scoreFile);
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(readText(scoreFile), kept ? lastBlock : "") << count << " result lines before the marker";
    }
}

TEST_F(ScoreFileTest, CheckOfMissingFileReportsAndCreatesNothing) {
    testing::internal::CaptureStderr();
    validateHighScoreFile(scoreFile);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Не удалось открыть файл рекордов для проверки.\n");
    EXPECT_FALSE(pathExists(scoreFile));
}

TEST_F(ScoreFileTest, LoadReadsPlayersInFileOrder) {
    writeText(scoreFile, twoPlayerFile);
    const std::vector<PlayerRecord> expected = {
        {"Alpha",
         {resultOf(1450, 4, 3), resultOf(0, 0, 0), resultOf(220, 1, 0), resultOf(0, 0, 0),
          resultOf(0, 0, 0)}},
        {"Bravo", zeroResults()},
    };
    EXPECT_EQ(loadPlayers(scoreFile), expected);
    EXPECT_EQ(readPlayerNames(scoreFile), (std::vector<std::string>{"Alpha", "Bravo"}));
    EXPECT_EQ(readLastPlayer(scoreFile), "Bravo");
}

TEST_F(ScoreFileTest, LoadDropsLeadingResultsAndKeepsOddRecords) {
    writeText(scoreFile, fiveZeroLines + "Alpha\nAlpha\n\n7,1,2\n[LAST_PLAYER]\nGhost\nGhost\n");
    const std::vector<PlayerRecord> expected = {{"Alpha", {}}, {"Alpha", {resultOf(7, 1, 2)}}};
    EXPECT_EQ(loadPlayers(scoreFile), expected);
}

TEST_F(ScoreFileTest, MarkerWithEmptyLastPlayerMeansNoPlayers) {
    writeText(scoreFile, "[LAST_PLAYER]\n\n");
    EXPECT_TRUE(loadPlayers(scoreFile).empty());
    EXPECT_TRUE(readPlayerNames(scoreFile).empty());
    EXPECT_EQ(readLastPlayer(scoreFile), "");
}

TEST_F(ScoreFileTest, MissingFileReadsAsEmpty) {
    testing::internal::CaptureStderr();
    EXPECT_TRUE(loadPlayers(scoreFile).empty());
    EXPECT_EQ(readLastPlayer(scoreFile), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(readPlayerNames(scoreFile).empty());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Не удалось открыть файл " + scoreFile + " для чтения!\n");
    EXPECT_FALSE(pathExists(scoreFile));
}

TEST_F(ScoreFileTest, EachReaderHandlesTwoMarkersItsOwnWay) {
    writeText(scoreFile,
              "Alpha\n[LAST_PLAYER]\n\n[LAST_PLAYER]\nBravo\nCharlie\n[LAST_PLAYER]\nDelta\nEcho\n");
    ASSERT_EQ(loadPlayers(scoreFile).size(), 1u);
    EXPECT_EQ(loadPlayers(scoreFile)[0].name, "Alpha");
    EXPECT_EQ(readLastPlayer(scoreFile), "Bravo");
    EXPECT_EQ(readPlayerNames(scoreFile), (std::vector<std::string>{"Alpha", "Charlie", "Echo"}));
    setLastPlayer(scoreFile, "Zed");
    EXPECT_EQ(readText(scoreFile),
              "Alpha\n[LAST_PLAYER]\nZed\n[LAST_PLAYER]\nZed\nCharlie\n[LAST_PLAYER]\nZed\nEcho\n");
}

TEST_F(ScoreFileTest, WindowsLineEndsReadLikeOurs) {
    std::string windowsText;
    for (char c : twoPlayerFile)
        windowsText += c == '\n' ? std::string("\r\n") : std::string(1, c);
    writeText(scoreFile, twoPlayerFile);
    const std::vector<PlayerRecord> players = loadPlayers(scoreFile);
    const std::vector<std::string> names = readPlayerNames(scoreFile);
    writeText(scoreFile, windowsText);
    validateHighScoreFile(scoreFile);
    EXPECT_EQ(readText(scoreFile), windowsText);
    EXPECT_EQ(loadPlayers(scoreFile), players);
    EXPECT_EQ(readPlayerNames(scoreFile), names);
    EXPECT_EQ(readLastPlayer(scoreFile), "Bravo");
}

TEST_F(ScoreFileTest, SaveWritesTheLayoutWithTheLastRecordAsLastPlayer) {
    writeText(scoreFile, twoPlayerFile);
    const std::vector<PlayerRecord> players = loadPlayers(scoreFile);
    std::remove(scoreFile.c_str());
    savePlayers(scoreFile, players);
    EXPECT_EQ(readText(scoreFile), twoPlayerFile);
    savePlayers(scoreFile, {});
    EXPECT_EQ(readText(scoreFile), "[LAST_PLAYER]\n\n");
    savePlayers(scoreFile, {{"Alpha", {}}, {"Bravo", {resultOf(-3, 2, 1)}}});
    EXPECT_EQ(readText(scoreFile), "Alpha\nBravo\n-3,2,1\n[LAST_PLAYER]\nBravo\n");
}

TEST_F(ScoreFileTest, SetLastPlayerChangesOnlyTheLastPlayerLine) {
    writeText(scoreFile, "\nAlpha\n\n" + fiveZeroLines + "[LAST_PLAYER]\nAlpha\nstray\n");
    setLastPlayer(scoreFile, "Bravo");
    EXPECT_EQ(readText(scoreFile), "\nAlpha\n\n" + fiveZeroLines + "[LAST_PLAYER]\nBravo\nstray\n");

    writeText(scoreFile, "Alpha\n");
    setLastPlayer(scoreFile, "Alpha");
    EXPECT_EQ(readText(scoreFile), "Alpha\n[LAST_PLAYER]\nAlpha\n");

    writeText(scoreFile, "Alpha\r\n[LAST_PLAYER]");
    setLastPlayer(scoreFile, "Bravo");
    EXPECT_EQ(readText(scoreFile), "Alpha\n[LAST_PLAYER]\nBravo\n");
}

TEST_F(ScoreFileTest, SetLastPlayerOnMissingFileReportsAndCreatesNothing) {
    testing::internal::CaptureStderr();
    setLastPlayer(scoreFile, "Alpha");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Не удалось открыть файл " + scoreFile + " для обновления последнего игрока.\n");
    EXPECT_FALSE(pathExists(scoreFile));
}

TEST_F(ScoreFileTest, LastPlayerIsTheFirstNonEmptyLineAfterTheMarker) {
    writeText(scoreFile, "Alpha\n[LAST_PLAYER]\n\n\n[LAST_PLAYER]\n  Bravo \nCharlie");
    EXPECT_EQ(readLastPlayer(scoreFile), "  Bravo ");
    writeText(scoreFile, "Alpha\n[LAST_PLAYER]\n\n");
    EXPECT_EQ(readLastPlayer(scoreFile), "");
    writeText(scoreFile, "Alpha\n" + fiveZeroLines);
    EXPECT_EQ(readLastPlayer(scoreFile), "");
}
