// The high-score file's line grammar, its start-up check, its readers and its writers, on real files.
#include "scores/platform.h"
#include "scores/score_lines.h"

#include "scores_testing.h"

namespace {

std::string describe(const ModeResult& r) {
    return std::to_string(r.score) + " " + std::to_string(r.levelsCompleted) + " " +
           std::to_string(r.matches);
}

} // namespace

TEST(ScoreLineGrammar, ResultLinesReadLikeScanfReadsThreeNumbers) {
    const auto reads = [](const char* line, const char* expected) {
        ModeResult result{9, 9, 9};
        EXPECT_EQ(parseResultLine(line, result), *expected != '\0') << line;
        EXPECT_EQ(describe(result), *expected != '\0' ? expected : "9 9 9") << line;
    };
    using Row = std::pair<const char*, const char*>; // a line, the numbers read
    const Row rows[] = {
        {"1450,4,3", "1450 4 3"},          {"12, 3, 4", "12 3 4"},
        {"12,3,4xyz", "12 3 4"},           {" \t-5,+0, 7 ,", "-5 0 7"},
        {"\v1,\f2,\r3", "1 2 3"},          {"\n1,2,3", "1 2 3"},
        {"0000000000012,3,4,5", "12 3 4"}, {"2147483647,-2147483648,0", "2147483647 -2147483648 0"}};
    for (const auto& [line, expected] : rows)
        reads(line, expected);
    for (const char* refused : {"12,3", "a,b,c", "12 ,3,4", "12,,3", ",1,2,3", "1,2,", "-,1,2", "1,2,- 3",
                                "0x1,2,3", "2147483648,0,0", "0,-2147483649,0", "0,0,99999999999999999999"})
        reads(refused, "");
}

TEST_F(ScoreFileTest, CheckKeepsWellFormedFilesAndEmptiesTheRestAfterACopy) {
    const std::string copy = scoreFile + ".bak", longest(255, 'n');
    for (const auto& [kept, text] :
         {std::pair{true, withLast(twoPlayers, "Bravo")},
          {true, "[LAST_PLAYER]\n\n"},
          {true, "\nA\n\n" + fiveZeroLines + "\n[LAST_PLAYER]"},
          {true, "A\n[LAST_PLAYER]\nA\n1,2\nB\n1,2,3\n"}, // nothing after the marker is examined
          {true, fiveZeroLines + "A\n[LAST_PLAYER]\n"},
          {true, withLast(longest + "\n", longest)},
          {true, "[LAST_PLAYER]\n" + std::string(16370, '\n')},
          {false, twoPlayers},
          {false, "A\n12,3\n" + fiveZeroLines.substr(6) + "[LAST_PLAYER]\n"},
          {false, player("A") + "0,0,0\nB\n[LAST_PLAYER]\n"},
          {false, "A\n" + fiveZeroLines.substr(6) + "[LAST_PLAYER]\n"},
          {false, withLast(longest + "n\n", "")},
          {false, withLast("A\n", longest + "n")},
          {false, "[LAST_PLAYER]\n" + std::string(16371, '\n')}}) {
        writeText(scoreFile, text);
        writeText(copy, noFile);
        EXPECT_EQ(printedBy([&] { validateHighScoreFile(scoreFile); }),
                  kept ? ""
                       : "Файл рекордов повреждён и очищен; его прежнее содержимое сохранено в " + copy +
                             ".\n");
        EXPECT_EQ(readText(scoreFile) + readText(copy), kept ? text + noFile : text);
    }
    // It removes a temporary file a killed copy left; names a letter shorter or longer are not one.
    std::string left;
    closeFile(createTemporaryBeside(scoreFile, left));
    const std::string other = scoreFile + ".tmp.Ab12c";
    writeText(other, "5");
    writeText(other + "de", "7");
    validateHighScoreFile(scoreFile);
    EXPECT_EQ(readText(left) + readText(other) + readText(other + "de"), noFile + "57");
}

TEST_F(ScoreFileTest, ReadersTakeTheFileLineByLine) {
    const std::string two =
        "Alpha: 1450 4 3; 0 0 0; 220 1 0; 0 0 0; 0 0 0; |Bravo: 0 0 0; 0 0 0; 0 0 0; 0 0 0; 0 0 0; ";
    // Players as "name: score levels matches; ..." joined by '|', the list of names joined by ','; lines
    // split at line feeds only, and a name line is anything that is not another kind.
    for (const auto& [text, players, names, last] :
         {std::tuple{withLast(twoPlayers, "Bravo"), two, "Alpha,Bravo", "Bravo"},
          {fiveZeroLines + "A\nA\n\n7,1,2\n[LAST_PLAYER]\nG\nG\n", "A: |A: 7 1 2; ", "A,A,G", "G"},
          {"A\n[LAST_PLAYER]\n\n[LAST_PLAYER]\n  B \nC\n[LAST_PLAYER]\nD\nE", "A: ", "A,C,E", "  B "},
          {"A\n2147483648,1,1\n5,1,1\n", "A: 5 1 1; ", "A", ""},
          {"\xEF\xBB\xBF"
           "A\r\n5,1,1\r\n[LAST_PLAYER]\r\nA",
           "A: 5 1 1; ", "A", "A"},
          {"a\rb\r\r\n[last_player]\n \n[LAST_PLAYER] \n,\n[LAST_PLAYER]",
           "a\rb: |[last_player]: | : |[LAST_PLAYER] : ", "a\rb,[last_player], ,[LAST_PLAYER] ", ""},
          {"", "", "", ""},
          {noFile, "", "", ""}}) {
        writeText(scoreFile, text);
        std::string loaded, listed;
        const std::string printed = printedBy([&] {
            for (const PlayerRecord& record : loadPlayers(scoreFile)) {
                loaded += (loaded.empty() ? "" : "|") + record.name + ": ";
                for (const ModeResult& result : record.results)
                    loaded += describe(result) + "; ";
            }
            for (const std::string& name : readPlayerNames(scoreFile))
                listed += (listed.empty() ? "" : ",") + name;
            EXPECT_EQ(readLastPlayer(scoreFile), last) << text;
            EXPECT_EQ(std::to_string(fileExists(scoreFile)) + std::to_string(fileIsEmpty(scoreFile)),
                      text == noFile ? "01"
                      : text.empty() ? "11"
                                     : "10");
        });
        EXPECT_EQ(loaded + " / " + listed, players + " / " + names) << text;
        // Only the list of names says that the file is missing; the other readers read it as empty.
        EXPECT_EQ(printed, text == noFile ? "Не удалось открыть файл " + scoreFile + " для чтения!\n" : "");
    }
}

TEST_F(ScoreFileTest, WritersRewriteInTheWrittenLayout) {
    savePlayers(scoreFile, {});
    EXPECT_EQ(readText(scoreFile), "[LAST_PLAYER]\n\n");
    savePlayers(scoreFile,
                {{"A", {}}, {"B", {ModeResult{1, 2, -3}}}, {"a,b", {}}, {"a\nb", {}}, {"[LAST_PLAYER]", {}}});
    EXPECT_EQ(readText(scoreFile), "A\nB\n-3,2,1\n[LAST_PLAYER]\nB\n");
    for (const auto& [before, name, after] :
         {std::tuple{"\nA\n\n[LAST_PLAYER]\nA\nstray\n", "B", "\nA\n\n[LAST_PLAYER]\nB\nstray\n"},
          {"A\n", "A", "A\n[LAST_PLAYER]\nA\n"},
          {"\xEF\xBB\xBF"
           "A\r\n[LAST_PLAYER]",
           "B", "A\n[LAST_PLAYER]\nB\n"},
          {"A\n[LAST_PLAYER]\n\n[LAST_PLAYER]\nB\nC\n", "Z", "A\n[LAST_PLAYER]\nZ\n[LAST_PLAYER]\nZ\nC\n"}}) {
        writeText(scoreFile, before);
        setLastPlayer(scoreFile, name);
        EXPECT_EQ(readText(scoreFile), after) << before;
    }
}
