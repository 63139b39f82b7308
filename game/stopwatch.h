// Elapsed-time timers of the game, read in seconds, over a time source that tests can drive by hand.
#pragma once

// The source every stopwatch reads. A real source follows the steady system clock; a manual one
// stands still until a test advances it, so timed rules are tested without sleeping.
struct TimeSource {
    bool manual = false;
    double manualSeconds = 0.0;
};

double nowSeconds(const TimeSource& source);
void advance(TimeSource& source, double seconds);

// A restartable elapsed-time timer. A stopwatch without a source reads 0.
struct Stopwatch {
    const TimeSource* source = nullptr;
    double startedAt = 0.0;
};

Stopwatch makeStopwatch(const TimeSource& source);
void restart(Stopwatch& watch);
float elapsedSeconds(const Stopwatch& watch);
