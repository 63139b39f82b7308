// Music and sound-effect switches, the volumes, and the rules by which effects and the music are started.
#pragma once

#include "game/game.h"
#include "view/assets.h"

struct Audio {
    bool musicEnabled = true;
    bool soundEnabled = true;
    bool musicLatch = false; // M taken while held
    bool soundLatch = false; // S taken while held
};

// The settings page's volumes, 0 to 100: the music gets music, every effect sound.
struct Volumes {
    float music = 2.0f;
    float sound = 20.0f;
};

// With sound on, plays the effect; one that is playing starts again from its beginning.
void startEffect(const Audio& audio, Sounds& sounds, SoundEffectId effect);
// With sound on, plays the effect from its beginning unless it is playing already.
void startEffectOnce(const Audio& audio, Sounds& sounds, SoundEffectId effect);

// The music plays (resuming, or from the start if it was stopped); a music file that did not open is
// left alone.
void playMusic(Sounds& sounds);
// The music switch: off pauses the music, on plays it.
void toggleMusic(Audio& audio, Sounds& sounds);
// The sound switch decides only whether later effects start; playing ones finish.
void toggleSound(Audio& audio);
void applyVolumes(const Volumes& volumes, Sounds& sounds);
// The settings page's sample of a new effect volume: the gem-fall effect at that volume, whatever the
// sound switch says.
void playVolumeSample(Sounds& sounds, float volume);
// Once the audio device reports that it went away (a sound server stopped), the music stops for good
// and the game goes on silent, saying so in one line.
void silenceIfDeviceLost(Sounds& sounds);

// Clears the latch of each key that is no longer held down.
void releaseAudioLatches(Audio& audio, bool mHeld, bool sHeld);

// Copies the switches and which effects are playing into the rules' view of the audio.
void snapshotAudioStatus(AudioStatus& status, const Audio& audio, const Sounds& sounds);
// Plays the sound cues and carries out the music requests the rules made.
void playRequestedAudio(const Requests& requests, const Audio& audio, Sounds& sounds);
