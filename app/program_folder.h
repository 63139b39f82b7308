// Where the game's files live on Windows: assets/ beside tavrello.exe whatever folder it was started
// from, and the high-score file beside it too when that folder is writable (a portable copy).
#pragma once

#include <string>

// Makes the folder holding tavrello.exe the working folder, so that "assets/" is the one beside it
// whether the game was started by a shortcut, a double-click or from a command prompt.
bool enterProgramFolder();

// The high-score file (UTF-8): beside the program when its folder takes new files, otherwise in the
// player's %LOCALAPPDATA%\Tavrello\ (an installed copy under Program Files), the folder made if needed.
std::string highScorePathForPlayer();
