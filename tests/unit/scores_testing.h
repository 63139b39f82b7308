// Scratch directories and whole-file helpers shared by the high-score store tests: every test works
// on real files in a directory of its own, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// The exact bytes of a file; empty when it cannot be read.
inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline bool pathExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

class ScoreFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrello-scores-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        scoreFile = pathOf("highscore.txt");
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    std::string pathOf(const std::string& name) const { return dir + "/" + name; }

    std::string dir;
    std::string scoreFile;
};

// Two players, the second of whom played last; Alpha has an Easy and a Hard result.
inline const std::string twoPlayerFile = "Alpha\n"
                                         "1450,4,3\n"
                                         "0,0,0\n"
                                         "220,1,0\n"
                                         "0,0,0\n"
                                         "0,0,0\n"
                                         "Bravo\n"
                                         "0,0,0\n"
                                         "0,0,0\n"
                                         "0,0,0\n"
                                         "0,0,0\n"
                                         "0,0,0\n"
                                         "[LAST_PLAYER]\n"
                                         "Bravo\n";

inline const std::string fiveZeroLines = "0,0,0\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n";
