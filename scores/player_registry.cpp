// The player registry: each operation loads the players from the high-score file and, when it
// changes something, rewrites the whole file.
#include "player_registry.h"

#include <algorithm>

#include "diagnostics.h"

namespace {

std::vector<PlayerRecord>::iterator findPlayer(std::vector<PlayerRecord>& players, const std::string& name) {
    return std::find_if(players.begin(), players.end(),
                        [&name](const PlayerRecord& player) { return player.name == name; });
}

ModeResult* storedResult(std::vector<PlayerRecord>& players, const std::string& name, int mode) {
    auto player = findPlayer(players, name);
    if (player == players.end())
        return nullptr;
    if (mode < 1 || mode > static_cast<int>(player->results.size()))
        return nullptr;
    return &player->results[static_cast<std::size_t>(mode - 1)];
}

// A file the game could not read is never written over: every player in it would be lost. The lock
// is held from here to the rewrite. Empty when the change may go on, else why not, for the player.
std::string loadForChange(const std::string& path, const StoreLock& lock,
                          std::vector<PlayerRecord>& players) {
    if (!lock.held()) {
        reportBusyFile(path);
        return causeForPlayer(lock.error);
    }
    const FileState state = readPlayers(path, players);
    if (state == FileState::Read || state == FileState::Missing)
        return std::string();
    reportUnusableFile(path, state, false);
    return "the file cannot be read";
}

} // namespace

void addPlayer(const std::string& path, const std::string& name) {
    if (!isStorableName(name)) {
        report(Diagnostic::NameRefused, {lastPlayerMarker});
        return;
    }
    const StoreLock lock(path);
    std::vector<PlayerRecord> players;
    if (!loadForChange(path, lock, players).empty())
        return;
    if (findPlayer(players, name) != players.end()) {
        report(Diagnostic::PlayerExists, {name});
        return;
    }
    if (players.size() >= static_cast<std::size_t>(maxPlayers)) {
        report(Diagnostic::PlayersFull, {std::to_string(maxPlayers)});
        return;
    }
    players.push_back(PlayerRecord{name, std::vector<ModeResult>(resultSlots)});
    const WriteError error = writePlayers(path, players, name);
    if (failed(error))
        reportWriteError(Diagnostic::FileNotWritten, path, error);
}

std::string recordResult(const std::string& path, const std::string& name, int mode, int score,
                         int levelsCompleted, int matches) {
    const StoreLock lock(path);
    std::vector<PlayerRecord> players;
    const std::string unread = loadForChange(path, lock, players);
    if (!unread.empty())
        return unread;
    ModeResult* stored = storedResult(players, name, mode);
    if (stored != nullptr && score > stored->score)
        *stored = ModeResult{matches, levelsCompleted, score};
    const WriteError error = writePlayers(path, players, name);
    if (!failed(error))
        return "";
    reportWriteError(Diagnostic::ResultNotSaved, path, error);
    return causeForPlayer(error);
}

int storedBestScore(const std::string& path, const std::string& name, int mode) {
    std::vector<PlayerRecord> players = loadPlayers(path);
    const ModeResult* stored = storedResult(players, name, mode);
    return stored == nullptr ? 0 : stored->score;
}

void deletePlayer(const std::string& path, const std::string& name) {
    const StoreLock lock(path);
    std::vector<PlayerRecord> players;
    if (!loadForChange(path, lock, players).empty())
        return;
    players.erase(std::remove_if(players.begin(), players.end(),
                                 [&name](const PlayerRecord& player) { return player.name == name; }),
                  players.end());
    const WriteError error = writePlayers(path, players, lastStorableName(players));
    if (failed(error))
        reportWriteError(Diagnostic::FileNotWritten, path, error);
}

int indexOfLastPlayer(const std::string& path) {
    const std::string name = readLastPlayer(path);
    if (name.empty())
        return -1;
    const std::vector<std::string> names = readPlayerNames(path);
    auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}
