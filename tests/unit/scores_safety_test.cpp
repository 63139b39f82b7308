// How the high-score store survives failed and interrupted writes, damaged, huge and unreadable files,
// read-only files and folders and symbolic links, and how often it says so. These cases use POSIX's
// processes, limits and permissions; the Windows side is held to the same rules by scores_platform_test.
#ifndef _WIN32
#include "scores/file_rewrite.h"

#include "scores_testing.h"

#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

// Every fsync of this test program passes here, so a test can tell what reached the disk in which order;
// it fails as on a full disk for a file whose path holds syncFailsFor.
std::vector<std::string> syncedPaths;
std::string syncFailsFor = "\n";
extern "C" int fsync(int fd) {
    std::error_code ignored;
    syncedPaths.push_back(fs::read_symlink("/proc/self/fd/" + std::to_string(fd), ignored).string());
    if (syncedPaths.back().find(syncFailsFor) == std::string::npos)
        return static_cast<int>(syscall(SYS_fsync, fd));
    errno = ENOSPC;
    return -1;
}

namespace {

// The lines of the changes below when every write fails with cause.
std::string writesFailed(const std::string& path, const std::string& cause) {
    const std::string tail = ": " + path + ": " + cause + ".\n",
                      failed = "Не удалось открыть файл для записи";
    return failed + tail + failed + " обновлённого списка" + tail + "Результат игры не сохранён" + tail +
           failed + tail;
}

// Every change the store offers; each must leave the old file whole when it cannot finish. Returns
// the end screen's cause of the result's write.
std::string changeEverything(const std::string& path) {
    addPlayer(path, "B");
    setLastPlayer(path, "B");
    const std::string cause = recordResult(path, "A", 1, 999, 1, 1);
    deletePlayer(path, "A");
    return cause;
}

// Runs the action in a child process that may write at most 100 bytes to any file, as on a full disk, or
// none and dies at its first write; returns its wait status, and what it wrote on its standard error.
int runOnAFullDisk(const std::function<void()>& action, bool dies, std::string& printed) {
    std::fflush(nullptr);
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    if (fork() == 0) {
        dup2(pipeEnds[1], STDERR_FILENO);
        prctl(PR_SET_DUMPABLE, 0);
        const rlim_t bytes = dies ? 0 : 100;
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, dies ? SIG_DFL : SIG_IGN);
        action();
        _exit(0);
    }
    close(pipeEnds[1]);
    int status = 0;
    wait(&status);
    printed.assign(4096, '\0');
    printed.resize(static_cast<std::size_t>(std::max(read(pipeEnds[0], printed.data(), 4096), ssize_t{0})));
    close(pipeEnds[0]);
    return status;
}

} // namespace

TEST_F(ScoreFileTest, FailedWritesLeaveTheOldFileAndSayWhy) {
    const std::string onePlayer = withLast(player("A"), "A"), full = "fsync: no space left on device";
    writeText(scoreFile, onePlayer);
    syncFailsFor = ".tmp.";
    std::string cause;
    EXPECT_EQ(printedBy([&] { cause = changeEverything(scoreFile); }), writesFailed(scoreFile, full));
    EXPECT_EQ(cause, "the disk is full");
    EXPECT_EQ(readText(scoreFile) + entries(), onePlayer + "highscore.txt highscore.txt.lock");
    // The start-up check fails to empty a damaged file, or before that to copy it.
    const std::string noCopy =
        "Не удалось сохранить копию повреждённого файла рекордов; файл оставлен без изменений: ";
    for (const auto& [failing, printed, kept] :
         {std::tuple<std::string, std::string, std::string>{
              ".tmp.", "Не удалось открыть файл рекордов для очистки: " + scoreFile, "damaged"},
          {".bak", noCopy + scoreFile + ".bak", noFile}}) {
        writeText(scoreFile, "damaged");
        syncFailsFor = failing;
        EXPECT_EQ(printedBy([&] { validateHighScoreFile(scoreFile); }), printed + ": " + full + ".\n");
        EXPECT_EQ(readText(scoreFile) + readText(scoreFile + ".bak"), "damaged" + kept);
        fs::remove(scoreFile + ".bak");
    }
    syncFailsFor = "\n";
    writeText(scoreFile, onePlayer);
    // A short write is written on until the disk says it is full; a process killed mid-write leaves its
    // temporary file behind, which the next start-up check removes.
    for (const bool dies : {false, true}) {
        std::string printed;
        const int status = runOnAFullDisk([&] { addPlayer(scoreFile, "A name long enough for a full disk"); },
                                          dies, printed);
        EXPECT_EQ(dies ? WTERMSIG(status) : WEXITSTATUS(status), dies ? SIGXFSZ : 0);
        EXPECT_EQ(printed,
                  dies ? ""
                       : "Не удалось открыть файл для записи: " + scoreFile + ": write: file too large.\n");
        EXPECT_EQ(readText(scoreFile) + entries(),
                  onePlayer + "highscore.txt highscore.txt.lock" + (dies ? " highscore.txt.tmp.?" : ""));
    }
    validateHighScoreFile(scoreFile);
    syncedPaths.clear();
    addPlayer(scoreFile, "C");
    EXPECT_EQ(readText(scoreFile) + entries(),
              withLast(player("A") + player("C"), "C") + "highscore.txt highscore.txt.lock");
    // The rewrite reaches the disk before its rename, the folder after.
    const std::string folder = fs::canonical(dir).string();
    ASSERT_EQ(syncedPaths.size(), 2u);
    EXPECT_EQ(syncedPaths[0].substr(0, syncedPaths[0].size() - 6) + " " + syncedPaths[1],
              folder + "/highscore.txt.tmp. " + folder);
    // A damaged file stays as it is when no copy of it can be made: every name is taken.
    const std::string damaged(200, 'x'), copy = scoreFile + ".bak";
    writeText(scoreFile, damaged);
    writeText(copy, "");
    for (int number = 1; number < 1000; ++number)
        writeText(copy + "." + std::to_string(number), "");
    EXPECT_EQ(printedBy([&] { validateHighScoreFile(scoreFile); }),
              noCopy + copy + ".999: create: file exists.\n");
    EXPECT_EQ(readText(scoreFile), damaged);
}

TEST_F(ScoreFileTest, WhatCannotBeReadIsNeverWrittenOverAndSaidOncePerCause) {
    const std::string oversized = "Файл рекордов " + scoreFile +
                                  " больше 16384 байт или содержит строку длиннее 255 байт; он не прочитан и "
                                  "оставлен без изменений.\n";
    const auto refuses = [&](const std::string& line) {
        const std::string before = readText(scoreFile);
        const std::string printed = printedBy([&] {
            for (int frame = 0; frame < 3; ++frame)
                EXPECT_TRUE(readPlayerNames(scoreFile).empty() && loadPlayers(scoreFile).empty() &&
                            readLastPlayer(scoreFile).empty());
            changeEverything(scoreFile);
        });
        EXPECT_EQ(printed, line + line + line + line + line) << "once for the frames, once per change";
        EXPECT_EQ(readText(scoreFile) + entries(), before + "highscore.txt highscore.txt.lock");
    };
    mkfifo(scoreFile.c_str(), S_IRUSR | S_IWUSR);
    const std::string unreadable =
        "Не удалось прочитать файл рекордов " + scoreFile + "; он оставлен без изменений.\n";
    refuses(unreadable); // not read as an empty file, and no reader waits for a writer
    fs::remove(scoreFile);
    writeText(scoreFile, withLast(std::string(256, 'n') + "\n", ""));
    refuses(oversized);
    const std::string missing = "Не удалось открыть файл " + scoreFile + " для чтения!\n";
    const auto frame = [&] { return printedBy([&] { readPlayerNames(scoreFile); }); };
    fs::remove(scoreFile);
    EXPECT_EQ(frame() + frame() + frame(), missing);
    writeText(scoreFile, "");
    EXPECT_EQ(frame(), "");
    fs::remove(scoreFile);
    EXPECT_EQ(frame() + frame(), missing) << "a read in between starts over";
    EXPECT_EQ(printedBy([&] { validateHighScoreFile(scoreFile); }),
              "Не удалось открыть файл рекордов для проверки.\n");
    EXPECT_FALSE(fs::exists(scoreFile));
}

// Root ignores file modes, so as root each of these cases runs again as the unprivileged user nobody,
// in a folder of its own, and passes only when it passed there.
class ScoreFilePermissions : public ScoreFileTest {
  protected:
    bool ranAsNobody() {
        if (geteuid() != 0)
            return false;
        EXPECT_EQ(chown(dir.c_str(), getpwnam("nobody")->pw_uid, static_cast<gid_t>(-1)), 0);
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        const std::string command =
            "TMPDIR=" + dir + " setpriv --reuid=nobody --regid=nogroup --clear-groups " +
            fs::read_symlink("/proc/self/exe").string() + " --gtest_filter=" + test->test_suite_name() + "." +
            test->name() + " 2>&1";
        FILE* child = popen(command.c_str(), "r");
        std::string output(1 << 16, '\0');
        output.resize(std::fread(output.data(), 1, output.size(), child));
        EXPECT_EQ(pclose(child), 0) << output;
        EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
        return true;
    }
};

TEST_F(ScoreFilePermissions, UnreadableAndReadOnlyFilesAreKeptAndLinkedOrReadOnlyFoldersRewrittenInPlace) {
    if (ranAsNobody())
        return;
    const std::string onePlayer = withLast(player("A"), "A");
    const fs::perms readWrite = fs::perms::owner_read | fs::perms::owner_write;
    // An unreadable file is neither read nor replaced.
    writeText(scoreFile, onePlayer);
    fs::permissions(scoreFile, fs::perms::none);
    const std::string printed = printedBy([&] {
        validateHighScoreFile(scoreFile);
        EXPECT_FALSE(fileExists(scoreFile));
        EXPECT_TRUE(fileIsEmpty(scoreFile));
        changeEverything(scoreFile);
    });
    const std::string line =
        "Не удалось прочитать файл рекордов " + scoreFile + "; он оставлен без изменений.\n";
    EXPECT_EQ(printed, line + line + line + line + line);
    fs::permissions(scoreFile, readWrite);
    EXPECT_EQ(readText(scoreFile) + readText(scoreFile + ".bak"), onePlayer + noFile);
    // A read-only file is kept.
    writeText(scoreFile, onePlayer);
    fs::permissions(scoreFile, fs::perms::owner_read | fs::perms::others_read);
    EXPECT_EQ(printedBy([&] { changeEverything(scoreFile); }),
              writesFailed(scoreFile, "open: permission denied"));
    EXPECT_EQ(readText(scoreFile) + entries(), onePlayer + "highscore.txt highscore.txt.lock");
    fs::permissions(scoreFile, readWrite);
    fs::remove(scoreFile + ".lock");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    {
        const StoreLock first(scoreFile);
        EXPECT_FALSE(StoreLock(scoreFile, std::chrono::milliseconds(0)).held())
            << "no lock file in a read-only folder: the file itself is locked";
    }
    EXPECT_EQ(printedBy([&] { addPlayer(scoreFile, "B"); }), "");
    EXPECT_EQ(readText(scoreFile), withLast(player("A") + player("B"), "B"));
    // A linked file is rewritten where it is, with its permissions.
    fs::permissions(dir, fs::perms::owner_all);
    fs::remove(scoreFile);
    const std::string target = dir + "/real/scores.txt";
    fs::create_directory(dir + "/real");
    fs::create_symlink("real/scores.txt", scoreFile);
    recordResult(scoreFile, "A", 1, 5, 1, 1);
    EXPECT_EQ(readText(target), "[LAST_PLAYER]\nA\n") << "a dangling link gets its file";
    fs::permissions(target, readWrite | fs::perms::group_read);
    addPlayer(scoreFile, "B");
    EXPECT_EQ(readText(target) + entries(), withLast(player("B"), "B") + "highscore.txt real");
    EXPECT_EQ(fs::status(target).permissions(), readWrite | fs::perms::group_read);
    EXPECT_TRUE(fs::is_symlink(scoreFile));
}

#endif
