// The high-score file: its readers and its writers, each reading the file whole within size bounds.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "file_rewrite.h"
#include "score_types.h"
#include "startup_check.h"
#include "store_io.h"

// The name field stops at 210 units of width, about 45 of its narrowest letters, and a result line
// holds at most 35 bytes: a longer line is not one the game wrote.
constexpr std::size_t maxLineBytes = 255;
// Ten players of such lines need under 5 KiB; a larger file is not one the game wrote, and a reader
// that runs every frame must not take in more.
constexpr std::size_t maxFileBytes = 16384;

bool fileExists(const std::string& path);
// A file that cannot be opened counts as empty.
bool fileIsEmpty(const std::string& path);

// Fills lines, empty on entry, with the file's lines, which stay empty unless the state is Read. A file
// beyond either bound is Oversized.
FileState readScoreLines(const std::string& path, std::vector<std::string>& lines);

// The players in file order; empty when the file is missing, unreadable or oversized.
std::vector<PlayerRecord> loadPlayers(const std::string& path);
// Like loadPlayers (players empty on entry), silently, telling why nothing was read.
FileState readPlayers(const std::string& path, std::vector<PlayerRecord>& players);
// Reports why a file that is there was not read; once per cause when oncePerCause (readers that run every
// frame), else every time.
void reportUnusableFile(const std::string& path, FileState state, bool oncePerCause);

// Rewrites the file with the last record's name as the last player.
void savePlayers(const std::string& path, const std::vector<PlayerRecord>& players);
// Rewrites the file in the written layout with lastPlayer on the last-player line; the old file is
// unchanged when this fails. Records whose name the file cannot hold are left out, and such a last
// player is written as an empty line. The caller holds the StoreLock.
WriteError writePlayers(const std::string& path, const std::vector<PlayerRecord>& players,
                        const std::string& lastPlayer);
// The name of the last record the file can hold, empty when there is none.
std::string lastStorableName(const std::vector<PlayerRecord>& players);
// The line for a change that another running copy of the game kept from being made.
void reportBusyFile(const std::string& path);

std::vector<std::string> readPlayerNames(const std::string& path);
std::string readLastPlayer(const std::string& path);
void setLastPlayer(const std::string& path, const std::string& name);

// True when a line holding exactly this name reads back as the same name line: false for an empty
// name, one with a comma or a line feed, one ending in CR, starting with a byte-order mark or equal to
// the marker.
bool isStorableName(const std::string& name);
