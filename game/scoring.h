// Points, the level clock with its level-ups, the near-full warning and the two ends of a game.
#pragma once

#include "game/game.h"

constexpr int lastLevel = 60;
constexpr int secondsPerLevel = 60;

// A result for the high-score store: due only when the game ended on the player's best score.
struct EndRecord {
    bool due = false;
    int levelValue = 0;
    int count = 0;
};

// What one frame of play asks of the application beyond the game state.
struct FrameResult {
    bool skipRestOfFrame = false; // the board-full spawn stop: no key latches, drawing nor display
    bool gameEndedNow = false;    // first frame of an end: the next visit to the menu prepares a game
    bool showEndScreen = false;   // the end delay has passed: enter the end screen
    EndRecord record;
};

// Rows 1 and 2 of the column both hold gems.
bool columnNearlyFull(const Game& game, int column);
void nearFullWarning(Game& game);
// Starts or steps the rising points read-out, then moves this frame's points into the score.
void pointsStep(Game& game, Stopwatch& fadeClock);
void levelUp(Game& game);
// The once-a-second countdown with its level-up and, on the last level, the time-out end.
void secondTick(Game& game, Stopwatch& fadeClock, FrameResult& result);
// Runs the board-full end when the falling gem's column is taken in rows 0 and 1.
void boardFullEnd(Game& game, Stopwatch& fadeClock, FrameResult& result);
