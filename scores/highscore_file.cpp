// The high-score file: readers, writers and the start-up check. Every operation reads the whole file
// afresh and every change rewrites it whole through a temporary file.
#include "highscore_file.h"

#include <cstdio>
#include <iostream>

#include "score_lines.h"
#include "store_io.h"

namespace {

const std::string backupSuffix = ".bak";

bool readLines(const std::string& path, std::vector<std::string>& lines) {
    std::string content;
    if (!readWholeFile(path, content))
        return false;
    lines = splitLines(content);
    return true;
}

// The start-up rule: a marker must be present, every result line must read as three numbers, and
// each block of result lines (the one before the first name included) must hold 0 or resultSlots
// lines. Nothing after the marker is examined.
bool isWellFormed(const std::vector<std::string>& lines) {
    int count = 0;
    ModeResult ignored;
    for (const std::string& line : lines) {
        switch (classifyLine(line)) {
        case LineKind::Empty:
            break;
        case LineKind::Marker:
            return count == 0 || count == resultSlots;
        case LineKind::Result:
            if (!parseResultLine(line, ignored))
                return false;
            ++count;
            break;
        case LineKind::Name:
            if (count != 0 && count != resultSlots)
                return false;
            count = 0;
            break;
        }
    }
    return false;
}

std::string layoutText(const std::vector<PlayerRecord>& players, const std::string& lastPlayer) {
    std::string text;
    for (const PlayerRecord& player : players) {
        if (!isWritableName(player.name))
            continue;
        text += player.name + '\n';
        for (const ModeResult& result : player.results)
            text += formatResultLine(result) + '\n';
    }
    text += lastPlayerMarker + '\n';
    if (isWritableName(lastPlayer))
        text += lastPlayer;
    text += '\n';
    return text;
}

// Keeps the damaged content beside the file, then empties the file.
void emptyMalformedFile(const std::string& path, const std::string& content) {
    const std::string backup = backupPathFor(path);
    if (!replaceFileContent(backup, content)) {
        reportLine(std::cerr, "Не удалось сохранить копию повреждённого файла рекордов в " + backup +
                                  "; файл оставлен без изменений.");
        return;
    }
    if (!replaceFileContent(path, std::string())) {
        reportLine(std::cerr, "Не удалось открыть файл рекордов для очистки.");
        return;
    }
    reportLine(std::cerr,
               "Файл рекордов повреждён и очищен; его прежнее содержимое сохранено в " + backup + ".");
}

} // namespace

bool fileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

bool fileIsEmpty(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return true;
    const bool empty = std::fgetc(file) == EOF;
    std::fclose(file);
    return empty;
}

std::string backupPathFor(const std::string& path) {
    return path + backupSuffix;
}

void validateHighScoreFile(const std::string& path) {
    std::string content;
    if (!readWholeFile(path, content)) {
        reportLine(std::cerr, "Не удалось открыть файл рекордов для проверки.");
        return;
    }
    // An empty file is already what the check would leave; copying it would only overwrite the copy
    // of a file that was really damaged.
    if (content.empty() || isWellFormed(splitLines(content)))
        return;
    emptyMalformedFile(path, content);
}

std::vector<PlayerRecord> loadPlayers(const std::string& path) {
    std::vector<PlayerRecord> players;
    std::vector<std::string> lines;
    if (!readLines(path, lines))
        return players;
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
    return players;
}

bool writePlayers(const std::string& path, const std::vector<PlayerRecord>& players,
                  const std::string& lastPlayer) {
    return replaceFileContent(path, layoutText(players, lastPlayer));
}

void savePlayers(const std::string& path, const std::vector<PlayerRecord>& players) {
    std::string lastPlayer;
    for (const PlayerRecord& player : players) {
        if (isWritableName(player.name))
            lastPlayer = player.name;
    }
    writePlayers(path, players, lastPlayer);
}

std::vector<std::string> readPlayerNames(const std::string& path) {
    std::vector<std::string> names;
    std::vector<std::string> lines;
    if (!readLines(path, lines)) {
        reportLine(std::cerr, "Не удалось открыть файл " + path + " для чтения!");
        return names;
    }
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
    if (!readLines(path, lines))
        return std::string();
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

void setLastPlayer(const std::string& path, const std::string& name) {
    if (!isStorableName(name)) {
        reportLine(std::cerr, "Имя игрока не записано в файл рекордов: оно пустое, содержит запятую или "
                              "перевод строки либо совпадает с " +
                                  lastPlayerMarker + ".");
        return;
    }
    std::vector<std::string> lines;
    if (!readLines(path, lines)) {
        reportLine(std::cerr, "Не удалось открыть файл " + path + " для обновления последнего игрока.");
        return;
    }
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
    if (!replaceFileContent(path, text))
        reportLine(std::cerr, "Не удалось открыть файл для записи обновлённого списка.");
}

bool isStorableName(const std::string& name) {
    if (name.empty() || name == lastPlayerMarker)
        return false;
    return name.find_first_of(",\r\n") == std::string::npos;
}
