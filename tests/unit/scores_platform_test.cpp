// The store's file access on this system: replacing a file, a read-only file, a lock another running
// process holds, and the system's line ends.
#include "scores/platform.h"

#include "scores_testing.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

#ifdef _WIN32
#define popen _popen
#define pclose _pclose
#define setenv(name, value, replace) _putenv_s(name, value)
constexpr bool runsAsRoot = false, systemLineEnds = true;
const std::string thisProgram = _pgmptr;
#else
#include <unistd.h>
const bool runsAsRoot = geteuid() == 0, systemLineEnds = false;
const std::string thisProgram = fs::read_symlink("/proc/self/exe").string();
#endif

// This test program started again with the variable set takes the lock on the file it names, says so
// in a file beside it, and holds the lock until its standard input ends.
const bool lockHolder = [] {
    const char* path = std::getenv("TAVRELLO_TEST_HOLD_LOCK");
    if (path == nullptr || *path == '\0')
        return false;
    const StoreLock lock(path, std::chrono::milliseconds(0));
    std::ofstream(std::string(path) + ".held") << (lock.held() ? "held" : "free");
    while (std::getchar() != EOF) {
    }
    std::exit(0);
}();

TEST_F(ScoreFileTest, ReplacingKeepsOneWholeFileInTheSystemsLineEndsAndNeverAReadOnlyOne) {
    writeText(scoreFile, "old\n");
    EXPECT_FALSE(failed(replaceFileContent(scoreFile, "A\n\nB\n")));
    EXPECT_EQ(rawText(scoreFile) + entries(),
              std::string(systemLineEnds ? "A\r\n\r\nB\r\n" : "A\n\nB\n") + "highscore.txt");
    EXPECT_EQ(loadPlayers(scoreFile).size(), 2u);
    if (runsAsRoot) // who writes any file: the permission tests run this case as another user
        return;
    fs::permissions(scoreFile, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const WriteError error = replaceFileContent(scoreFile, "C\n");
    EXPECT_EQ(error.step + " " + causeForPlayer(error) + ", " + readText(scoreFile) + entries(),
              "open the file is read-only, A\n\nB\nhighscore.txt");
    fs::permissions(scoreFile, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(ScoreFileTest, AChangeWaitsForTheLockAnotherRunningCopyHoldsThenGivesUpAndSaysSo) {
    const std::string onePlayer = withLast(player("A"), "A");
    writeText(scoreFile, onePlayer);
    setenv("TAVRELLO_TEST_HOLD_LOCK", scoreFile.c_str(), 1);
    FILE* holder = popen(("\"" + thisProgram + "\"").c_str(), "w");
    setenv("TAVRELLO_TEST_HOLD_LOCK", "", 1);
    ASSERT_NE(holder, nullptr);
    // Waited for, not timed: on a busy machine the holder may take seconds to start.
    for (int poll = 0; poll < 6000 && readText(scoreFile + ".held").size() != 4; ++poll)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(readText(scoreFile + ".held"), "held");
    std::string cause;
    EXPECT_EQ(printedBy([&] { cause = recordResult(scoreFile, "A", 1, 50, 1, 1); }),
              "Файл рекордов " + scoreFile + " занят другой копией игры; изменение не выполнено.\n");
    EXPECT_EQ(cause + ", " + readText(scoreFile), "another copy of the game holds the file, " + onePlayer);
    pclose(holder);
    EXPECT_EQ(recordResult(scoreFile, "A", 1, 50, 1, 1), "");
    EXPECT_EQ(storedBestScore(scoreFile, "A", 1), 50);
    // The holder leaves the queue's byte free, so a copy that waits gets the file next.
    auto held = std::make_unique<StoreLock>(scoreFile);
    const int probe = openLockFile(scoreFile);
    EXPECT_TRUE(tryLockByte(probe, 0) && !tryLockByte(probe, 1));
    unlockByte(probe, 0);
    std::atomic<int> waited{0}; // 1 given up, 2 held
    std::thread waiter([&] { waited = StoreLock(scoreFile, std::chrono::minutes(1)).held() ? 2 : 1; });
    while (waited == 0 && tryLockByte(probe, 0)) // until the waiter queues
        unlockByte(probe, 0);
    held.reset();
    waiter.join();
    closeFile(probe);
    EXPECT_EQ(waited, 2);
}
