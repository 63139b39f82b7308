// Fuzz target for the high-score store: arbitrary bytes stand as the high-score file; the start-up
// check must either keep them or empty the file after copying them, every kept file must survive
// load, save and load unchanged, and no reader or writer may misbehave on any input.
#include "scores/player_registry.h"
#include "scores/score_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "high-score fuzz check failed: %s\n", what);
        std::abort();
    }
}

// run_highscore_fuzz.sh names a scratch folder of its own; without one the first input's write fails.
const char* const scratch = std::getenv("FUZZ_SCRATCH");
const std::string scoreFile = std::string(scratch ? scratch : "/nonexistent") + "/highscore.txt";

std::string readText(const std::string& path) {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
}

// A damaged file is copied aside and emptied; the readers must still cope with its bytes, and a line
// too long for the store keeps every writer off it.
void checkEmptiedFile(const std::string& original) {
    require(readText(scoreFile).empty(), "the check either keeps a file or empties it");
    require(readText(backupPathFor(scoreFile)) == original, "the copy holds the damaged file");
    require(static_cast<bool>(std::ofstream(scoreFile, std::ios::binary) << original), "writing the input");
    indexOfLastPlayer(scoreFile);
    setLastPlayer(scoreFile, "Fuzz");
    const std::vector<std::string> lines = splitLines(original);
    const bool oversized = std::any_of(lines.begin(), lines.end(),
                                       [](const std::string& line) { return line.size() > maxLineBytes; });
    require(oversized ? readText(scoreFile) == original : readLastPlayer(scoreFile) == "Fuzz",
            "the last player changes exactly when the file could be read");
}

void checkKeptFile() {
    const std::vector<PlayerRecord> first = loadPlayers(scoreFile);
    savePlayers(scoreFile, first);
    require(loadPlayers(scoreFile) == first, "load, save, load gives the same players");
    std::vector<std::string> names(first.size());
    std::transform(first.begin(), first.end(), names.begin(), [](const PlayerRecord& p) { return p.name; });
    require(readPlayerNames(scoreFile) == names, "a saved file lists exactly its players");
    require(readLastPlayer(scoreFile) == (names.empty() ? std::string() : names.back()),
            "a saved file names its last record as last player");
    if (first.empty() || first.front().results.empty())
        return;
    const int bigScore = 2147483000;
    recordResult(scoreFile, names.front(), 1, bigScore, 1, 1);
    require(storedBestScore(scoreFile, names.front(), 1) ==
                std::max(bigScore, first.front().results[0].score),
            "a better score is stored for the first player");
    deletePlayer(scoreFile, names.front());
    for (const PlayerRecord& player : loadPlayers(scoreFile))
        require(player.name != names.front(), "a deleted player is gone");
}

} // namespace

// The store's diagnostic lines would flood the log; this file's own failure reports use stdio.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::cout.rdbuf(nullptr);
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string original(reinterpret_cast<const char*>(data), size);
    std::remove(backupPathFor(scoreFile).c_str());
    require(static_cast<bool>(std::ofstream(scoreFile, std::ios::binary) << original), "writing the input");
    validateHighScoreFile(scoreFile);
    if (readText(scoreFile) == original)
        checkKeptFile();
    else
        checkEmptiedFile(original);
    return 0;
}
