// Shared harness of the high-score store tests: a scratch folder of each test's own with real files,
// whole-file helpers and the store's console output.
#pragma once

#include "scores/player_registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <regex>
#include <set>

namespace fs = std::filesystem;

// Stands for "no file at all" wherever a file's content is written or expected.
inline const std::string noFile = "(no file)";
inline const std::string fiveZeroLines = "0,0,0\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n";

inline std::string player(const std::string& name, const std::string& results = fiveZeroLines) {
    return name + "\n" + results;
}
inline std::string withLast(const std::string& players, const std::string& last) {
    return players + "[LAST_PLAYER]\n" + last + "\n";
}

// What the action printed: its standard output, then its standard error.
inline std::string printedBy(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    action();
    const std::string err = testing::internal::GetCapturedStderr();
    return testing::internal::GetCapturedStdout() + err;
}

class ScoreFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = (fs::temp_directory_path() / ("tavrello-scores-" + std::to_string(std::random_device()())))
                  .string();
        ASSERT_TRUE(fs::create_directory(dir));
        scoreFile = dir + "/highscore.txt";
        filesOpen = openFiles();
    }
    void TearDown() override {
        EXPECT_EQ(openFiles(), filesOpen) << "a file the store opened is still open";
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
#ifdef _WIN32
    static std::ptrdiff_t openFiles() {
        return 0;
    }
#else
    static std::ptrdiff_t openFiles() {
        return std::distance(fs::directory_iterator("/proc/self/fd"), {});
    }
#endif
    static void writeText(const std::string& path, const std::string& text) {
        fs::remove(path);
        if (text != noFile)
            std::ofstream(path, std::ios::binary) << text;
    }
    // A pipe or a folder in the file's place reads as no file, without waiting for a writer.
    static std::string rawText(const std::string& path) {
        if (!fs::is_regular_file(path))
            return noFile;
        return std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
    }
    // With LF line ends on every system; rawText shows the system's own.
    static std::string readText(const std::string& path) {
        std::string text = rawText(path);
#ifdef _WIN32
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
            text.erase(at, 1);
#endif
        return text;
    }
    // The folder's names in order, each temporary one as NAME.tmp.?, as it has a name of its own.
    std::string entries() const {
        std::set<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir))
            names.insert(
                std::regex_replace(entry.path().filename().string(), std::regex("\\.tmp\\..*"), ".tmp.?"));
        std::string list;
        for (const std::string& name : names)
            list += (list.empty() ? "" : " ") + name;
        return list;
    }
    // Alpha has an Easy and a Hard result.
    const std::string twoPlayers =
        player("Alpha", "1450,4,3\n0,0,0\n220,1,0\n0,0,0\n0,0,0\n") + player("Bravo");
    std::string dir, scoreFile;
    std::ptrdiff_t filesOpen = 0;
};
