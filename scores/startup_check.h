// The check of the high-score file at start-up, which empties a file the game did not write after
// keeping a copy of it beside the file.
#pragma once

#include <string>

// The copies kept of malformed files: path.bak first, then path.bak.1, path.bak.2 and so on.
std::string backupPathFor(const std::string& path, int copyNumber = 0);

void validateHighScoreFile(const std::string& path);
