// Sound effects, the background music and their switches.
#include "view/audio.h"

#include "scores/diagnostics.h"
#include "view/audio_device.h"

namespace {

sf::Sound& effectSound(Sounds& sounds, SoundEffectId effect) {
    return sounds.players->effects[static_cast<std::size_t>(effect)].sound;
}

bool musicAudible(const Sounds& sounds) {
    return sounds.audible && sounds.musicOpened;
}

void pauseMusic(Sounds& sounds) {
    if (musicAudible(sounds)) {
        sounds.players->music.pause();
    }
}

void stopMusic(Sounds& sounds) {
    if (musicAudible(sounds)) {
        sounds.players->music.stop();
    }
}

void playCues(const Requests& requests, const Audio& audio, Sounds& sounds) {
    for (int i = 0; i < requests.cueCount && i < static_cast<int>(requests.cues.size()); ++i) {
        const SoundCue& cue = requests.cues[static_cast<std::size_t>(i)];
        if (cue.rule == CueRule::Restart) {
            startEffect(audio, sounds, cue.effect);
        } else {
            startEffectOnce(audio, sounds, cue.effect);
        }
    }
}

} // namespace

void playMusic(Sounds& sounds) {
    if (musicAudible(sounds)) {
        sounds.players->music.play();
    }
}

void startEffect(const Audio& audio, Sounds& sounds, SoundEffectId effect) {
    if (!audio.soundEnabled || !sounds.audible) {
        return;
    }
    sf::Sound& sound = effectSound(sounds, effect);
    sound.stop();
    sound.play();
}

void startEffectOnce(const Audio& audio, Sounds& sounds, SoundEffectId effect) {
    if (!audio.soundEnabled || !sounds.audible) {
        return;
    }
    sf::Sound& sound = effectSound(sounds, effect);
    if (sound.getStatus() == sf::SoundSource::Playing) {
        return;
    }
    sound.play();
}

void toggleMusic(Audio& audio, Sounds& sounds) {
    audio.musicEnabled = !audio.musicEnabled;
    if (audio.musicEnabled) {
        playMusic(sounds);
    } else {
        pauseMusic(sounds);
    }
}

void toggleSound(Audio& audio) {
    audio.soundEnabled = !audio.soundEnabled;
}

void playVolumeSample(Sounds& sounds, float volume) {
    if (!sounds.audible) {
        return;
    }
    sf::Sound& sample = effectSound(sounds, SoundEffectId::GemFall);
    sample.setVolume(volume);
    sample.play();
}

void applyVolumes(const Volumes& volumes, Sounds& sounds) {
    if (!sounds.audible) {
        return;
    }
    sounds.players->music.setVolume(volumes.music);
    for (SoundEffect& effect : sounds.players->effects) {
        effect.sound.setVolume(volumes.sound);
    }
}

void releaseAudioLatches(Audio& audio, bool mHeld, bool sHeld) {
    if (!mHeld) {
        audio.musicLatch = false;
    }
    if (!sHeld) {
        audio.soundLatch = false;
    }
}

void snapshotAudioStatus(AudioStatus& status, const Audio& audio, const Sounds& sounds) {
    status.musicEnabled = audio.musicEnabled;
    status.soundEnabled = audio.soundEnabled;
    for (std::size_t i = 0; i < status.playing.size(); ++i) {
        status.playing[i] =
            sounds.audible && sounds.players->effects[i].sound.getStatus() == sf::SoundSource::Playing;
    }
}

// The rules ask for pause and resume only with the music on; the live switch is checked again since a
// key may have changed it after the rules last saw it.
void playRequestedAudio(const Requests& requests, const Audio& audio, Sounds& sounds) {
    playCues(requests, audio, sounds);
    if (requests.stopMusic) {
        stopMusic(sounds);
    }
    if (requests.pauseMusic && audio.musicEnabled) {
        pauseMusic(sounds);
    }
    if (requests.resumeMusic && audio.musicEnabled) {
        playMusic(sounds);
    }
}

void silenceIfDeviceLost(Sounds& sounds) {
    if (!sounds.audible || audioDeviceConnected()) {
        return;
    }
    // The music's streaming thread would otherwise retry a dead device as fast as it can.
    if (sounds.musicOpened) {
        sounds.players->music.stop();
    }
    sounds.audible = false;
    report(Diagnostic::AudioDeviceLost);
}
