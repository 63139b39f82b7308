// Presentation state of the game and end screens: digit rows and effect timers.
#pragma once

#include "game/stopwatch.h"

#include <SFML/Graphics.hpp>

#include <array>
#include <string>

// Five reusable digit sprites; a number is laid out on them, zero-padded to a minimum width.
using DigitRow = std::array<sf::Sprite, 5>;

struct GameView {
    DigitRow scoreRow, bestRow, patternsRow, colorLinesRow, popupRow, endScoreRow;
    DigitRow musicVolumeRow, soundVolumeRow;
    Stopwatch pulseClock; // free-running phase of the warning pulse, never restarted
    // Why the ended game's result is not in the high-score file; empty when it is (or nothing was due).
    std::string unsavedResultCause;
};

// Starts the pulse clock; the rows stay without pictures (they draw nothing) until their first layout.
void initGameView(GameView& view, const TimeSource& time);
