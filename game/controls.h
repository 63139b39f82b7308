// The keys of the game screen with their guards, and the pause.
#pragma once

#include "game/game.h"

enum class PlayKey { Space, Left, Right, Up, Down, P, B };
enum class KeyResult { None, BackToMenu };

constexpr float cursorRepeatSeconds = 0.03f;

// One key press during play; a press that fails its guard changes nothing, no clock included.
KeyResult handlePlayKey(Game& game, PlayKey key);
// The pause may only be entered or left while the gem is in the air with an empty cell under it.
bool pauseAllowed(const Game& game);
// The player's own pause; the stop after the board filled up also sets paused, to freeze the game.
bool pausedByPlayer(const Game& game);
void togglePause(Game& game);
// Clears the P latch in a frame in which the key is not held, so a held P toggles only once.
void releasePauseLatch(Game& game, bool pKeyHeld);
