// Sound cues asked by the rules.
#include "game/cues.h"

bool cueWouldStart(const Game& game, SoundEffectId effect, CueRule rule) {
    if (!game.audio.soundEnabled) {
        return false;
    }
    return rule == CueRule::Restart || !game.audio.playing[static_cast<int>(effect)];
}

bool tryCue(Game& game, SoundEffectId effect, CueRule rule) {
    if (!cueWouldStart(game, effect, rule)) {
        return false;
    }
    game.audio.playing[static_cast<int>(effect)] = true;
    Requests& requests = game.requests;
    // A full list only happens when the application forgot to clear it; the effect is marked playing
    // all the same so the rules behave as if it had started.
    if (requests.cueCount < static_cast<int>(requests.cues.size())) {
        requests.cues[requests.cueCount] = SoundCue{effect, rule};
        ++requests.cueCount;
    }
    return true;
}

void cue(Game& game, SoundEffectId effect, CueRule rule) {
    tryCue(game, effect, rule);
}
