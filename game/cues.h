// Sound cues asked by the rules: the audio code plays them in the same frame.
#pragma once

#include "game/game.h"

// Whether a cue with this rule would start now: sound on and, for Once, the effect not playing.
bool cueWouldStart(const Game& game, SoundEffectId effect, CueRule rule);
// Asks for the effect when it would start and marks it playing; returns whether it was asked.
bool tryCue(Game& game, SoundEffectId effect, CueRule rule);
void cue(Game& game, SoundEffectId effect, CueRule rule);
