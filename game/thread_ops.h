// The thread under the cursor: pulling and pushing gems, the trash tube, the bonus and pattern checks,
// and the three timed thread animations that share animClock.
#pragma once

#include "game/game.h"

constexpr float flushStepSeconds = 0.08f;
constexpr float clearingStepSeconds = 0.05f;
constexpr float refillStepSeconds = 0.05f;

// Moves the bottom gem of the cursor column onto the top of the thread, then checks for a bonus
// and for a pattern match.
void pullGem(Game& game);
// Moves the thread's top gem back under the cursor column; the column refills only up to row 2.
void pushGem(Game& game);
// Starts emptying a full thread through the tube; refused while a flush already runs.
void startTrashFlush(Game& game);

bool threadFull(const Thread& thread);
// Points of a completed thread: the sum of (10 - code) over its slots.
int threadValue(const Thread& thread);

void trashFlushStep(Game& game);
void threadClearingStep(Game& game);
void patternRefillStep(Game& game);
// The three steps in their frame order: flush, clearing, refill.
void runThreadAnimations(Game& game);
