// Fuzz target for the high-score store: arbitrary bytes stand as the high-score file; the start-up
// check must either keep them or empty the file after copying them, every kept file must survive
// load, save and load unchanged, and no reader or writer may misbehave on any input.
#include "scores/highscore_file.h"
#include "scores/player_registry.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int easy = 1;
constexpr int bigScore = 2147483000;

void require(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "high-score fuzz check failed: %s\n", what);
    std::abort();
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    require(static_cast<bool>(out.flush()), "writing the input file");
}

void removeScratch();

// One scratch directory per process, on a memory file system when there is one, since every input
// is written, checked and rewritten there.
std::string makeScratchDir() {
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "tavrello-fuzz-XXXXXX").string();
    require(mkdtemp(pattern.data()) != nullptr, "making the scratch directory");
    return pattern;
}

const std::string& scratchDir() {
    static const std::string dir = makeScratchDir();
    // Registered after dir is built, so the removal runs before dir is destroyed at exit.
    static const bool removalRegistered = std::atexit(removeScratch) == 0;
    require(removalRegistered, "registering the scratch removal");
    return dir;
}

void removeScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(scratchDir(), ignored);
}

std::vector<std::string> namesOf(const std::vector<PlayerRecord>& players) {
    std::vector<std::string> names;
    for (const PlayerRecord& player : players)
        names.push_back(player.name);
    return names;
}

// A damaged file is copied aside and emptied; the readers must still cope with its bytes.
void checkEmptiedFile(const std::string& path, const std::string& original) {
    require(readText(path).empty(), "the check either keeps a file or empties it");
    require(readText(backupPathFor(path)) == original, "the copy holds the damaged file");
    writeText(path, original);
    loadPlayers(path);
    readPlayerNames(path);
    indexOfLastPlayer(path);
    setLastPlayer(path, "Fuzz");
    require(readLastPlayer(path) == "Fuzz", "the new last player reads back");
}

void checkKeptFile(const std::string& path) {
    const std::vector<PlayerRecord> first = loadPlayers(path);
    savePlayers(path, first);
    const std::vector<PlayerRecord> second = loadPlayers(path);
    require(second == first, "load, save, load gives the same players");
    require(readPlayerNames(path) == namesOf(first), "a saved file lists exactly its players");
    require(readLastPlayer(path) == (first.empty() ? std::string() : first.back().name),
            "a saved file names its last record as last player");
    if (first.empty() || first.front().results.empty())
        return;
    const std::string& name = first.front().name;
    recordResult(path, name, easy, bigScore, 1, 1);
    require(storedBestScore(path, name, easy) == std::max(bigScore, first.front().results.front().score),
            "a better score is stored for the first player");
    deletePlayer(path, name);
    for (const PlayerRecord& player : loadPlayers(path))
        require(player.name != name, "a deleted player is gone");
}

} // namespace

// The store's diagnostic lines would flood the log; this file's own failure reports use stdio and
// stay visible.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::cout.rdbuf(nullptr);
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = scratchDir() + "/highscore.txt";
    const std::string original(reinterpret_cast<const char*>(data), size);
    std::remove(backupPathFor(path).c_str());
    writeText(path, original);
    validateHighScoreFile(path);
    if (readText(path) != original)
        checkEmptiedFile(path, original);
    else
        checkKeptFile(path);
    return 0;
}
