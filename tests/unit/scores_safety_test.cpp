// How the high-score store survives failed and interrupted writes, damaged files, out-of-range numbers
// and names the file cannot hold, and that every file the start-up check keeps survives a rewrite.
#include "scores/highscore_file.h"
#include "scores/player_registry.h"
#include "scores/store_io.h"

#include "scores_testing.h"

#include <random>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string onePlayerFile = "Alpha\n" + fiveZeroLines + "[LAST_PLAYER]\nAlpha\n";
const std::string badNames[] = {"", "a,b", "a\nb", "a\rb", "Alpha\r", "[LAST_PLAYER]"};
constexpr rlim_t smallFileLimit = 100;

std::vector<PlayerRecord> manyPlayers() {
    std::vector<PlayerRecord> players;
    for (int i = 0; i < maxPlayers; ++i)
        players.push_back({"Player number " + std::to_string(i), std::vector<ModeResult>(resultSlots)});
    return players;
}

// Every rewrite the store offers, each of which must leave the old file whole when it cannot finish.
void runEveryRewrite(const std::string& path) {
    savePlayers(path, manyPlayers());
    setLastPlayer(path, "Bravo");
    addPlayer(path, "Bravo");
    recordResult(path, "Alpha", 1, 999, 1, 1);
    deletePlayer(path, "Alpha");
}

struct ChildOutcome {
    int status = 0;
    std::string stderrText;
};

// Runs a rewrite in a child process that may write at most smallFileLimit bytes to any file, as on a
// full disk; the child's error stream comes back through a pipe, which the limit does not touch.
ChildOutcome rewriteWithFileSizeLimit(const std::string& path, bool dieOnLimit) {
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_DUMPABLE, 0);
        const rlimit limit{smallFileLimit, smallFileLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, dieOnLimit ? SIG_DFL : SIG_IGN);
        dup2(pipeEnds[1], STDERR_FILENO);
        addPlayer(path, "A name long enough to push the file past the limit");
        _exit(0);
    }
    close(pipeEnds[1]);
    ChildOutcome outcome;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        outcome.stderrText.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    waitpid(child, &outcome.status, 0);
    return outcome;
}

std::string randomNumberText(std::mt19937& random) {
    static const char* const samples[] = {"0", "7", "-12", "+5", "007", "2147483647", "-2147483648", "1450"};
    std::string text = random() % 4 == 0 ? " " : "";
    return text + samples[random() % std::size(samples)];
}

std::string randomResultLine(std::mt19937& random) {
    std::string line =
        randomNumberText(random) + "," + randomNumberText(random) + "," + randomNumberText(random);
    static const char* const tails[] = {"", "", "", "xyz", ",8", " ", "\r"};
    line += tails[random() % std::size(tails)];
    if (random() % 12 == 0)
        line = random() % 2 == 0 ? "12,3" : "9999999999,1,1";
    return line;
}

std::string randomName(std::mt19937& random) {
    static const char* const names[] = {"Alpha",     "alpha",          " spaced ",
                                        "x\ry",      "[LAST_PLAYER] ", "\xd0\x98\xd0\xbc\xd1\x8f",
                                        "tab\tname", "Alpha"};
    return names[random() % std::size(names)];
}

// Mostly well-formed files with stray empty lines, mixed line ends and an occasional broken rule, so
// that the start-up check keeps some and empties others.
std::string randomFile(std::mt19937& random) {
    std::vector<std::string> lines;
    const int players = static_cast<int>(random() % 5);
    for (int p = 0; p < players; ++p) {
        lines.push_back(randomName(random));
        const int count =
            random() % 8 == 0 ? static_cast<int>(random() % 7) : (random() % 3 == 0 ? 0 : resultSlots);
        for (int r = 0; r < count; ++r)
            lines.push_back(random() % 10 == 0 ? std::string() : randomResultLine(random));
    }
    if (random() % 10 != 0)
        lines.push_back("[LAST_PLAYER]");
    for (int extra = static_cast<int>(random() % 3); extra > 0; --extra)
        lines.push_back(random() % 2 == 0 ? randomName(random) : randomResultLine(random));
    std::string text;
    for (const std::string& line : lines)
        text += line + (random() % 4 == 0 ? "\r\n" : "\n");
    if (!text.empty() && random() % 5 == 0)
        text.pop_back();
    return text;
}

} // namespace

TEST_F(ScoreFileTest, FailedWritesLeaveTheOldFileWhenATemporaryFileCannotBeMade) {
    writeText(scoreFile, onePlayerFile);
    std::filesystem::create_directory(temporaryPathFor(scoreFile));
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    runEveryRewrite(scoreFile);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Не удалось открыть файл для записи обновлённого списка.\n"
              "Не удалось открыть файл для записи.\n");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(readText(scoreFile), onePlayerFile);
    EXPECT_TRUE(std::filesystem::is_directory(temporaryPathFor(scoreFile)));
}

TEST_F(ScoreFileTest, FailedWritesLeaveNothingBehindWhenTheTargetCannotBeReplaced) {
    std::filesystem::create_directory(scoreFile);
    testing::internal::CaptureStderr();
    addPlayer(scoreFile, "Alpha");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Не удалось открыть файл для записи.\n");
    recordResult(scoreFile, "Alpha", 1, 10, 1, 1);
    savePlayers(scoreFile, manyPlayers());
    EXPECT_TRUE(std::filesystem::is_directory(scoreFile));
    EXPECT_FALSE(pathExists(temporaryPathFor(scoreFile)));

    const std::string missingDir = pathOf("no-such-dir/highscore.txt");
    testing::internal::CaptureStderr();
    addPlayer(missingDir, "Alpha");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Не удалось открыть файл для записи.\n");
    savePlayers(missingDir, manyPlayers());
    EXPECT_FALSE(pathExists(pathOf("no-such-dir")));
}

TEST_F(ScoreFileTest, FailedWritesInAReadOnlyDirectory) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only directories; the other failed-write tests cover this";
    writeText(scoreFile, onePlayerFile);
    std::filesystem::permissions(dir,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    runEveryRewrite(scoreFile);
    testing::internal::GetCapturedStderr();
    testing::internal::GetCapturedStdout();
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    EXPECT_EQ(readText(scoreFile), onePlayerFile);
}

TEST_F(ScoreFileTest, FullDiskMidWriteLeavesTheOldFileAndReports) {
    writeText(scoreFile, onePlayerFile);
    const ChildOutcome outcome = rewriteWithFileSizeLimit(scoreFile, false);
    ASSERT_TRUE(WIFEXITED(outcome.status));
    EXPECT_EQ(outcome.stderrText, "Не удалось открыть файл для записи.\n");
    EXPECT_EQ(readText(scoreFile), onePlayerFile);
    EXPECT_FALSE(pathExists(temporaryPathFor(scoreFile)));
}

TEST_F(ScoreFileTest, ProcessKilledMidWriteLeavesTheOldFile) {
    writeText(scoreFile, onePlayerFile);
    const ChildOutcome outcome = rewriteWithFileSizeLimit(scoreFile, true);
    ASSERT_TRUE(WIFSIGNALED(outcome.status)) << "the child should have died writing past its file size limit";
    EXPECT_EQ(WTERMSIG(outcome.status), SIGXFSZ);
    EXPECT_EQ(readText(scoreFile), onePlayerFile);
    EXPECT_EQ(readLastPlayer(scoreFile), "Alpha");
}

TEST_F(ScoreFileTest, KillBeforeTheRenameLeavesTheOldFileInUseAndTheNextWriteWorks) {
    // What a kill between writing the temporary file and renaming it leaves behind: both files whole.
    writeText(scoreFile, onePlayerFile);
    writeText(temporaryPathFor(scoreFile), "Bravo\n" + fiveZeroLines + "[LAST_PLAYER]\nBravo\n");
    validateHighScoreFile(scoreFile);
    EXPECT_EQ(readText(scoreFile), onePlayerFile);
    EXPECT_EQ(readPlayerNames(scoreFile), std::vector<std::string>{"Alpha"});
    addPlayer(scoreFile, "Charlie");
    EXPECT_EQ(readText(scoreFile),
              "Alpha\n" + fiveZeroLines + "Charlie\n" + fiveZeroLines + "[LAST_PLAYER]\nCharlie\n");
    EXPECT_FALSE(pathExists(temporaryPathFor(scoreFile)));
}

TEST_F(ScoreFileTest, MalformedFileIsCopiedBesideItBeforeItIsEmptied) {
    const std::string damaged = "Alpha\n1,2,3\n[LAST_PLAYER]\nAlpha\n";
    writeText(scoreFile, damaged);
    testing::internal::CaptureStderr();
    validateHighScoreFile(scoreFile);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Файл рекордов повреждён и очищен; его прежнее содержимое сохранено в " +
                  backupPathFor(scoreFile) + ".\n");
    EXPECT_EQ(backupPathFor(scoreFile), scoreFile + ".bak");
    EXPECT_EQ(readText(backupPathFor(scoreFile)), damaged);
    EXPECT_TRUE(fileExists(scoreFile));
    EXPECT_TRUE(fileIsEmpty(scoreFile));

    // The next start with the emptied file keeps the copy; a new damaged file replaces it.
    testing::internal::CaptureStderr();
    validateHighScoreFile(scoreFile);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(readText(backupPathFor(scoreFile)), damaged);
    writeText(scoreFile, "no marker\n");
    testing::internal::CaptureStderr();
    validateHighScoreFile(scoreFile);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(readText(backupPathFor(scoreFile)), "no marker\n");
}

TEST_F(ScoreFileTest, MalformedFileIsKeptWhenNoCopyCanBeMade) {
    const std::string damaged = "Alpha\n1,2,3\n[LAST_PLAYER]\nAlpha\n";
    writeText(scoreFile, damaged);
    std::filesystem::create_directory(backupPathFor(scoreFile));
    testing::internal::CaptureStderr();
    validateHighScoreFile(scoreFile);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Не удалось сохранить копию повреждённого файла рекордов в " + backupPathFor(scoreFile) +
                  "; файл оставлен без изменений.\n");
    EXPECT_EQ(readText(scoreFile), damaged);
}

TEST_F(ScoreFileTest, FailedEmptyingOfAMalformedFileIsReported) {
    const std::string damaged = "no marker\n";
    writeText(scoreFile, damaged);
    std::filesystem::create_directory(temporaryPathFor(scoreFile));
    testing::internal::CaptureStderr();
    validateHighScoreFile(scoreFile);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Не удалось открыть файл рекордов для очистки.\n");
    EXPECT_EQ(readText(scoreFile), damaged);
    EXPECT_EQ(readText(backupPathFor(scoreFile)), damaged);
}

TEST_F(ScoreFileTest, OutOfRangeNumbersAreMalformedLines) {
    const std::string players = "Alpha\n2147483648,1,1\n5,1,1\n6,1,1\n7,1,1\n8,1,1\n";
    writeText(scoreFile, players + "[LAST_PLAYER]\nAlpha\n");
    const std::vector<PlayerRecord> loaded = loadPlayers(scoreFile);
    ASSERT_EQ(loaded.size(), 1u);
    ASSERT_EQ(loaded[0].results.size(), 4u);
    EXPECT_EQ(loaded[0].results[0].score, 5);
    testing::internal::CaptureStderr();
    validateHighScoreFile(scoreFile);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(readText(scoreFile), "");

    const std::string extremes = "Alpha\n2147483647,-2147483648,0\n" +
                                 std::string("0,0,0\n0,0,0\n0,0,0\n0,0,0\n") + "[LAST_PLAYER]\nAlpha\n";
    writeText(scoreFile, extremes);
    validateHighScoreFile(scoreFile);
    savePlayers(scoreFile, loadPlayers(scoreFile));
    EXPECT_EQ(readText(scoreFile), extremes);
    EXPECT_EQ(storedBestScore(scoreFile, "Alpha", 1), 2147483647);
}

TEST_F(ScoreFileTest, NamesTheFileCannotHoldAreRefused) {
    for (const std::string& name : badNames)
        EXPECT_FALSE(isStorableName(name)) << name;
    for (const char* name : {"Alpha", " ", "[LAST_PLAYER] ", "\xd0\x98\xd0\xbc\xd1\x8f", "a;b"})
        EXPECT_TRUE(isStorableName(name)) << name;

    for (const std::string& name : badNames) {
        testing::internal::CaptureStdout();
        addPlayer(scoreFile, name);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "Имя игрока не может быть пустым, содержать запятую или перевод строки и совпадать с "
                  "[LAST_PLAYER]. Новый игрок не добавлен.\n");
        EXPECT_FALSE(pathExists(scoreFile)) << name;
    }
    writeText(scoreFile, onePlayerFile);
    for (const std::string& name : badNames) {
        testing::internal::CaptureStdout();
        addPlayer(scoreFile, name);
        testing::internal::GetCapturedStdout();
        testing::internal::CaptureStderr();
        setLastPlayer(scoreFile, name);
        EXPECT_EQ(
            testing::internal::GetCapturedStderr(),
            "Имя игрока не записано в файл рекордов: оно пустое, содержит запятую или перевод строки либо "
            "совпадает с [LAST_PLAYER].\n");
        EXPECT_EQ(readText(scoreFile), onePlayerFile) << name;
    }
}

TEST_F(ScoreFileTest, RewritesNeverWriteALineThatReadsBackDifferently) {
    writeText(scoreFile, onePlayerFile);
    recordResult(scoreFile, "a\nb", 1, 5, 1, 1);
    EXPECT_EQ(readText(scoreFile), "Alpha\n" + fiveZeroLines + "[LAST_PLAYER]\n\n");
    savePlayers(scoreFile, {{"Alpha", {}}, {"a,b", {}}, {"[LAST_PLAYER]", {}}, {"", {}}});
    EXPECT_EQ(readText(scoreFile), "Alpha\n[LAST_PLAYER]\nAlpha\n");
}

TEST_F(ScoreFileTest, EveryKeptFileSurvivesLoadSaveLoad) {
    std::mt19937 random(20240611);
    int kept = 0;
    int emptied = 0;
    testing::internal::CaptureStderr();
    for (int round = 0; round < 300; ++round) {
        const std::string text = randomFile(random);
        writeText(scoreFile, text);
        validateHighScoreFile(scoreFile);
        if (readText(scoreFile) != text) {
            EXPECT_EQ(readText(scoreFile), "") << "the check either keeps a file or empties it";
            ++emptied;
            continue;
        }
        ++kept;
        const std::vector<PlayerRecord> first = loadPlayers(scoreFile);
        savePlayers(scoreFile, first);
        ASSERT_EQ(loadPlayers(scoreFile), first) << text;
        std::vector<std::string> names;
        for (const PlayerRecord& player : first)
            names.push_back(player.name);
        ASSERT_EQ(readPlayerNames(scoreFile), names) << text;
        ASSERT_EQ(readLastPlayer(scoreFile), names.empty() ? "" : names.back()) << text;
    }
    testing::internal::GetCapturedStderr();
    EXPECT_GE(kept, 100);
    EXPECT_GE(emptied, 30);
}
