// The falling gem: its kind, its fall row by row, its landing and the spawn of the next one.
#pragma once

#include "game/game.h"

constexpr int bottomRow = boardRows - 1;
constexpr int playColumns = trashColumn; // columns 0..11 take falling gems
constexpr int fallKindDiamond = Diamond - 1;
constexpr int fallKindTrash = Trash - 1;

// From the given row, moves down while the cell below is empty, writes the value there, stores the
// final row and ends the gem's activity. The starting cell is not checked.
void dropGem(Board& board, int& row, int column, bool& gemActive, GemKind value);
// Kind index 0..9 of the next gem: a diamond or trash draw, else the coloured kind in play that is
// scarcest on the board after a random weighting (one rand() for the draw, then one per kind).
int chooseNextKind(const Game& game);
// Whether the cell under the falling gem is free to move into.
bool roomBelowFallingGem(const Game& game);
// Seconds per row; 0 when the gem rests, so it lands at the next check.
float fallInterval(const Game& game);
// Seconds between a landing and the next gem; the 0.7 does not follow the mode's fall interval.
float spawnDelay(const Game& game);
// The fall, landing and spawn of one frame; returns true when the board-full spawn stop happened,
// which skips the rest of the frame.
bool updateFall(Game& game);
