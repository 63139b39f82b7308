// The audio switches as the player and the rules use them: M and S, the rules' requests and their copy
// of the switches.
#include "app/screens.h"
#include "game/rules.h"
#include "view/audio.h"
#include "view/digits.h"
#include "view/effects.h"

void switchMusic(AppContext& app) {
    toggleMusic(app.audio, app.assets.sounds);
    app.game.audio.musicEnabled = app.audio.musicEnabled;
}

void switchSound(AppContext& app) {
    toggleSound(app.audio);
    app.game.audio.soundEnabled = app.audio.soundEnabled;
}

void handleAudioKey(AppContext& app, sf::Keyboard::Key key) {
    // On the settings page letters go to the name field. The freeze after a full board is no pause:
    // the player may still switch the music on for the end screen.
    if (pausedByPlayer(app.game) || app.menuPage == Settings) {
        return;
    }
    if (key == sf::Keyboard::M && !app.audio.musicLatch) {
        app.audio.musicLatch = true;
        switchMusic(app);
    }
    if (key == sf::Keyboard::S && !app.audio.soundLatch) {
        app.audio.soundLatch = true;
        switchSound(app);
    }
}

void carryOutRequests(AppContext& app) {
    const Requests& requests = app.game.requests;
    playRequestedAudio(requests, app.audio, app.assets.sounds);
    AssetCatalogue& a = app.assets;
    if (requests.clockTicked) {
        refreshLevelClock(a.levelClock, a.digitTextures, app.game.secondsLeft);
    }
    if (requests.levelRose) {
        refreshLevelDigits(a.levelDigits, a.digitTextures, app.game.level);
        startBlink();
    }
    app.game.requests = Requests{};
}
