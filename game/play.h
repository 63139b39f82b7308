// A game from its start to its end: the new-game preparation and one frame of play.
#pragma once

#include "game/game.h"
#include "game/scoring.h"

// Binds every clock of the game to the time source and starts it.
void initGameClocks(Game& game, const TimeSource& time);
// Fresh board, thread, pattern, first gem, level, score and clocks for the next game. The player's
// best score is the caller's to load.
void startNewGame(Game& game);
// The update of one frame of play, after the events: thread animations, countdown, warning,
// points, fall and the board-full end. fadeClock is the application's shared fade timer.
FrameResult updatePlaying(Game& game, Stopwatch& fadeClock);
