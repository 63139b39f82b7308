// Music and sound-effect switches, and the rules by which effects and the music are started.
#pragma once

#include "game/game.h"

#include <SFML/Window/Keyboard.hpp>

struct AppContext;
struct AssetCatalogue;

struct Audio {
    bool musicEnabled = true;
    bool soundEnabled = true;
    bool musicLatch = false; // M taken while held
    bool soundLatch = false; // S taken while held
};

// With sound on, plays the effect; one that is playing starts again from its beginning.
void startEffect(AppContext& app, SoundEffectId effect);
// With sound on, plays the effect from its beginning unless it is playing already.
void startEffectOnce(AppContext& app, SoundEffectId effect);

// The music switch: off pauses the music, on plays it (resuming, or from the start if it was stopped).
void toggleMusic(AppContext& app);
// The sound switch decides only whether later effects start; playing ones finish.
void toggleSound(AppContext& app);
// The settings page's volumes: the music gets musicVolume, every effect soundVolume.
void applyVolumes(AppContext& app);

// M and S: once per press (latched), never while the game is paused or on the settings page.
void handleAudioKey(AppContext& app, sf::Keyboard::Key key);
// Clears the latch of each key that is no longer held down.
void releaseAudioLatches(AppContext& app, bool mHeld, bool sHeld);

// Copies the switches and which effects are playing into the game, where the rules read them.
void snapshotAudioStatus(AppContext& app);
// Carries out what the rules asked for (cues, music, clock and level pictures), then clears the requests.
void carryOutRequests(AppContext& app);

// The music plays; a music file that did not open is left alone.
void playMusic(AppContext& app);
