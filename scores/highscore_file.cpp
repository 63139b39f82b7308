// The high-score file's readers and writers. Every operation reads the whole file afresh and every
// change rewrites it whole.
#include "highscore_file.h"

#include <algorithm>

#include "diagnostics.h"
#include "file_rewrite.h"
#include "score_lines.h"

FileState readScoreLines(const std::string& path, std::vector<std::string>& lines) {
    std::string content;
    const FileState state = readWholeFile(path, content, maxFileBytes);
    if (state != FileState::Read)
        return state;
    lines = splitLines(content);
    if (std::any_of(lines.begin(), lines.end(),
                    [](const std::string& line) { return line.size() > maxLineBytes; })) {
        lines.clear();
        return FileState::Oversized;
    }
    forgetFileState(path);
    return state;
}

namespace {

// For readers, which may run every frame: the names reader's line when there is no file, else why the
// file was not read, each once per cause.
void reportUnread(const std::string& path, FileState state, bool missingReported) {
    if (state == FileState::Missing && missingReported)
        reportFileState(path, Diagnostic::NamesNotRead, {path});
    else if (state != FileState::Read && state != FileState::Missing)
        reportUnusableFile(path, state, true);
}

std::string layoutText(const std::vector<PlayerRecord>& players, const std::string& lastPlayer) {
    std::string text;
    for (const PlayerRecord& player : players) {
        if (!isStorableName(player.name))
            continue;
        text += player.name + '\n';
        for (const ModeResult& result : player.results)
            text += formatResultLine(result) + '\n';
    }
    text += lastPlayerMarker + '\n';
    if (isStorableName(lastPlayer))
        text += lastPlayer;
    text += '\n';
    return text;
}

} // namespace

bool fileExists(const std::string& path) {
    bool empty = true;
    return probeFile(path, empty) == FileState::Read;
}

bool fileIsEmpty(const std::string& path) {
    bool empty = true;
    return probeFile(path, empty) != FileState::Read || empty;
}

FileState readPlayers(const std::string& path, std::vector<PlayerRecord>& players) {
    std::vector<std::string> lines;
    const FileState state = readScoreLines(path, lines);
    PlayerRecord current;
    for (const std::string& line : lines) {
        const LineKind kind = classifyLine(line);
        if (kind == LineKind::Marker)
            break;
        ModeResult result;
        if (kind == LineKind::Result && parseResultLine(line, result))
            current.results.push_back(result);
        if (kind != LineKind::Name)
            continue;
        if (!current.name.empty())
            players.push_back(std::move(current));
        current = PlayerRecord{line, {}};
    }
    if (!current.name.empty())
        players.push_back(std::move(current));
    return state;
}

std::vector<PlayerRecord> loadPlayers(const std::string& path) {
    std::vector<PlayerRecord> players;
    reportUnread(path, readPlayers(path, players), false);
    return players;
}

void reportUnusableFile(const std::string& path, FileState state, bool oncePerCause) {
    const Diagnostic line =
        state == FileState::Oversized ? Diagnostic::FileOversized : Diagnostic::FileUnreadable;
    const std::vector<std::string> values = {path, std::to_string(maxFileBytes),
                                             std::to_string(maxLineBytes)};
    if (oncePerCause)
        reportFileState(path, line, values);
    else
        report(line, values);
}

WriteError writePlayers(const std::string& path, const std::vector<PlayerRecord>& players,
                        const std::string& lastPlayer) {
    return replaceFileContent(path, layoutText(players, lastPlayer));
}

std::string lastStorableName(const std::vector<PlayerRecord>& players) {
    std::string lastPlayer;
    for (const PlayerRecord& player : players) {
        if (isStorableName(player.name))
            lastPlayer = player.name;
    }
    return lastPlayer;
}

void savePlayers(const std::string& path, const std::vector<PlayerRecord>& players) {
    const StoreLock lock(path);
    if (!lock.held()) {
        reportBusyFile(path);
        return;
    }
    const WriteError error = writePlayers(path, players, lastStorableName(players));
    if (failed(error))
        reportWriteError(Diagnostic::FileNotWritten, path, error);
}

void reportBusyFile(const std::string& path) {
    report(Diagnostic::FileBusy, {path});
}

std::vector<std::string> readPlayerNames(const std::string& path) {
    std::vector<std::string> names;
    std::vector<std::string> lines;
    reportUnread(path, readScoreLines(path, lines), true);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineKind kind = classifyLine(lines[i]);
        if (kind == LineKind::Marker)
            ++i; // the last-player line is not a registered name, whatever it holds
        if (kind == LineKind::Name)
            names.push_back(lines[i]);
    }
    return names;
}

std::string readLastPlayer(const std::string& path) {
    std::vector<std::string> lines;
    reportUnread(path, readScoreLines(path, lines), false);
    bool markerSeen = false;
    for (const std::string& line : lines) {
        const LineKind kind = classifyLine(line);
        if (kind == LineKind::Marker)
            markerSeen = true;
        else if (markerSeen && kind != LineKind::Empty)
            return line;
    }
    return std::string();
}

namespace {

// The file's lines with name in place of the line after each marker, or a marker and name appended.
std::string withLastPlayer(const std::vector<std::string>& lines, const std::string& name) {
    std::string text;
    bool markerSeen = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i] + '\n';
        if (lines[i] != lastPlayerMarker)
            continue;
        markerSeen = true;
        text += name + '\n';
        ++i; // the old last-player line, whatever it holds, gives way to the new one
    }
    if (!markerSeen)
        text += lastPlayerMarker + '\n' + name + '\n';
    return text;
}

} // namespace

void setLastPlayer(const std::string& path, const std::string& name) {
    if (!isStorableName(name)) {
        report(Diagnostic::NameNotStored, {lastPlayerMarker});
        return;
    }
    const StoreLock lock(path);
    if (!lock.held()) {
        reportBusyFile(path);
        return;
    }
    std::vector<std::string> lines;
    const FileState state = readScoreLines(path, lines);
    if (state != FileState::Read) {
        if (state == FileState::Missing)
            report(Diagnostic::LastPlayerNotUpdated, {path});
        else
            reportUnusableFile(path, state, false);
        return;
    }
    const WriteError error = replaceFileContent(path, withLastPlayer(lines, name));
    if (failed(error))
        reportWriteError(Diagnostic::ListNotWritten, path, error);
}

bool isStorableName(const std::string& name) {
    if (classifyLine(name) != LineKind::Name || name.find('\n') != std::string::npos)
        return false;
    // Both would be dropped by the next read.
    return name.back() != '\r' && name.rfind(byteOrderMark, 0) != 0;
}
