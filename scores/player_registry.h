// The player registry: registering players, recording best results, looking them up and deleting
// players, all kept in the high-score file. A change never writes over a file that is there but could
// not be read (no permission, too large): it is refused with one line on the standard error stream.
#pragma once

#include <string>

#include "highscore_file.h"

void addPlayer(const std::string& path, const std::string& name);
// Stores the game when it beats the player's stored score for the mode (GameMode code 1 to 5), and in
// every case rewrites the file with name as the last player. Empty when the file now holds the game's
// outcome; otherwise a few words for the end screen saying why it does not ("the disk is full").
std::string recordResult(const std::string& path, const std::string& name, int mode, int score,
                         int levelsCompleted, int matches);
// 0 when nothing is stored for that player and mode.
int storedBestScore(const std::string& path, const std::string& name, int mode);
void deletePlayer(const std::string& path, const std::string& name);
// Position of the last player among readPlayerNames, -1 when there is none or it is not listed.
int indexOfLastPlayer(const std::string& path);
