// Sound effects, the background music and their switches.
#include "view/audio.h"

#include "app/app_context.h"
#include "game/rules.h"
#include "view/digits.h"
#include "view/effects.h"

namespace {

sf::Sound& effectSound(AppContext& app, SoundEffectId effect) {
    return app.assets.effects[static_cast<std::size_t>(effect)].sound;
}

void pauseMusic(AppContext& app) {
    if (app.assets.musicOpened) {
        app.assets.music.pause();
    }
}

void stopMusic(AppContext& app) {
    if (app.assets.musicOpened) {
        app.assets.music.stop();
    }
}

void playCues(AppContext& app) {
    const Requests& requests = app.game.requests;
    for (int i = 0; i < requests.cueCount && i < static_cast<int>(requests.cues.size()); ++i) {
        const SoundCue& cue = requests.cues[static_cast<std::size_t>(i)];
        if (cue.rule == CueRule::Restart) {
            startEffect(app, cue.effect);
        } else {
            startEffectOnce(app, cue.effect);
        }
    }
}

// The rules ask for pause and resume only with the music on; the live switch is checked again since a
// key may have changed it after the rules last saw it.
void carryOutMusic(AppContext& app) {
    const Requests& requests = app.game.requests;
    if (requests.stopMusic) {
        stopMusic(app);
    }
    if (requests.pauseMusic && app.audio.musicEnabled) {
        pauseMusic(app);
    }
    if (requests.resumeMusic && app.audio.musicEnabled) {
        playMusic(app);
    }
}

} // namespace

void playMusic(AppContext& app) {
    if (app.assets.musicOpened) {
        app.assets.music.play();
    }
}

void startEffect(AppContext& app, SoundEffectId effect) {
    if (!app.audio.soundEnabled) {
        return;
    }
    sf::Sound& sound = effectSound(app, effect);
    sound.stop();
    sound.play();
}

void startEffectOnce(AppContext& app, SoundEffectId effect) {
    if (!app.audio.soundEnabled) {
        return;
    }
    sf::Sound& sound = effectSound(app, effect);
    if (sound.getStatus() == sf::SoundSource::Playing) {
        return;
    }
    sound.play();
}

void toggleMusic(AppContext& app) {
    const bool was = app.audio.musicEnabled;
    app.audio.musicEnabled = !was;
    app.game.audio.musicEnabled = !was;
    if (was) {
        pauseMusic(app);
        return;
    }
    playMusic(app);
}

void toggleSound(AppContext& app) {
    app.audio.soundEnabled = !app.audio.soundEnabled;
    app.game.audio.soundEnabled = app.audio.soundEnabled;
}

void applyVolumes(AppContext& app) {
    app.assets.music.setVolume(app.musicVolume);
    for (SoundEffect& effect : app.assets.effects) {
        effect.sound.setVolume(app.soundVolume);
    }
}

void handleAudioKey(AppContext& app, sf::Keyboard::Key key) {
    // On the settings page letters go to the name field. The freeze after a full board is no pause:
    // the player may still switch the music on for the end screen.
    if (pausedByPlayer(app.game) || app.menuPage == Settings) {
        return;
    }
    if (key == sf::Keyboard::M && !app.audio.musicLatch) {
        app.audio.musicLatch = true;
        toggleMusic(app);
    }
    if (key == sf::Keyboard::S && !app.audio.soundLatch) {
        app.audio.soundLatch = true;
        toggleSound(app);
    }
}

void releaseAudioLatches(AppContext& app, bool mHeld, bool sHeld) {
    if (!mHeld) {
        app.audio.musicLatch = false;
    }
    if (!sHeld) {
        app.audio.soundLatch = false;
    }
}

void snapshotAudioStatus(AppContext& app) {
    AudioStatus& status = app.game.audio;
    status.musicEnabled = app.audio.musicEnabled;
    status.soundEnabled = app.audio.soundEnabled;
    for (std::size_t i = 0; i < status.playing.size(); ++i) {
        status.playing[i] = app.assets.effects[i].sound.getStatus() == sf::SoundSource::Playing;
    }
}

void carryOutRequests(AppContext& app) {
    playCues(app);
    carryOutMusic(app);
    const Requests& requests = app.game.requests;
    if (requests.clockTicked) {
        refreshLevelClock(app);
    }
    if (requests.levelRose) {
        refreshLevelDigits(app);
        startBlink();
    }
    app.game.requests = Requests{};
}
