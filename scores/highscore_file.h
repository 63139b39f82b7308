// The high-score file: its readers, its writers and the start-up check that empties a malformed file
// (after keeping a copy of it beside the file).
#pragma once

#include <string>
#include <vector>

#include "score_types.h"

bool fileExists(const std::string& path);
// A file that cannot be opened counts as empty.
bool fileIsEmpty(const std::string& path);

// The copy the start-up check keeps of a malformed file before emptying it.
std::string backupPathFor(const std::string& path);
void validateHighScoreFile(const std::string& path);

std::vector<PlayerRecord> loadPlayers(const std::string& path);
// Rewrites the file with the last record's name as the last player.
void savePlayers(const std::string& path, const std::vector<PlayerRecord>& players);
// Rewrites the file in the written layout with lastPlayer on the last-player line; false when the
// file could not be written (the old file is then unchanged). Records whose name the file cannot hold
// are left out, and such a last player is written as an empty line.
bool writePlayers(const std::string& path, const std::vector<PlayerRecord>& players,
                  const std::string& lastPlayer);

std::vector<std::string> readPlayerNames(const std::string& path);
std::string readLastPlayer(const std::string& path);
void setLastPlayer(const std::string& path, const std::string& name);

// False for a name the file cannot hold: empty, with a comma, CR or LF, or equal to the marker.
bool isStorableName(const std::string& name);
