// The game screen and the end screen as states of the application: keys to the rules, the frame's
// update, the end of a game with its result, and the way back to the menu.
#include "app/screens.h"
#include "game/rules.h"
#include "scores/player_registry.h"
#include "view/audio.h"
#include "view/digits.h"
#include "view/effects.h"
#include "view/hit_test.h"

namespace {

bool toPlayKey(sf::Keyboard::Key key, PlayKey& out) {
    switch (key) {
    case sf::Keyboard::Space:
        out = PlayKey::Space;
        return true;
    case sf::Keyboard::Left:
        out = PlayKey::Left;
        return true;
    case sf::Keyboard::Right:
        out = PlayKey::Right;
        return true;
    case sf::Keyboard::Up:
        out = PlayKey::Up;
        return true;
    case sf::Keyboard::Down:
        out = PlayKey::Down;
        return true;
    case sf::Keyboard::P:
        out = PlayKey::P;
        return true;
    case sf::Keyboard::B:
        out = PlayKey::B;
        return true;
    default:
        return false;
    }
}

void recordEndedGame(AppContext& app, const EndRecord& record) {
    if (!record.due) {
        return;
    }
    const Game& g = app.game;
    app.view.unsavedResultCause = recordResult(app.highScorePath, app.players.currentPlayer, g.mode.gameMode,
                                               g.score, record.levelValue, record.count);
}

bool playingUnpaused(const AppContext& app) {
    return gameState == Playing && !pausedByPlayer(app.game);
}

void pauseOrResume(AppContext& app) {
    if (gameState != Playing || !pauseAllowed(app.game)) {
        return;
    }
    // The event loop reads the audio before each event and carries the rules' requests out after it.
    togglePause(app.game);
}

// The end picture's fade-in, and the music started once from its beginning.
void updateGameEnd(AppContext& app) {
    Game& game = app.game;
    fadeEndPicture(app.assets, game, elapsedSeconds(app.fadeClock));
    if (game.endMusicStarted || !app.audio.musicEnabled) {
        return;
    }
    playMusic(app.assets.sounds);
    game.endMusicStarted = true;
}

} // namespace

void leaveGameForMenu(AppContext& app) {
    app.gameReady = false;
    app.menuShown = true;
    gameState = Menu;
    restart(app.fadeClock);
}

void handlePlayingKey(AppContext& app, sf::Keyboard::Key key) {
    PlayKey playKey{};
    if (gameState != Playing || !toPlayKey(key, playKey)) {
        return;
    }
    if (handlePlayKey(app.game, playKey) == KeyResult::BackToMenu) {
        leaveGameForMenu(app);
    }
}

void updatePlayingScreen(AppContext& app) {
    const FrameResult result = updatePlaying(app.game, app.fadeClock);
    if (result.gameEndedNow) {
        app.gameReady = false;
    }
    carryOutRequests(app);
    if (result.skipRestOfFrame) {
        app.skipRestOfFrame = true;
        return;
    }
    layoutPlayReadouts(app.view, app.game, app.assets.digitTextures, app.layout);
    if (result.showEndScreen) {
        gameState = GameEnd;
        recordEndedGame(app, result.record);
    }
    app.lastMousePosition = app.mousePosition;
}

void leaveEndScreen(AppContext& app) {
    app.menuShown = true;
    restart(app.fadeClock);
}

void updateGameEndScreen(AppContext& app) {
    updateGameEnd(app);
    if (app.menuShown) {
        gameState = Menu;
    }
}

void handleGameButtons(AppContext& app, sf::Vector2i mouse) {
    AssetCatalogue& a = app.assets;
    if (spriteUnderMouse(a.musicButton, mouse) && playingUnpaused(app)) {
        switchMusic(app);
    }
    if (spriteUnderMouse(a.soundButton, mouse) && playingUnpaused(app)) {
        switchSound(app);
    }
    if (spriteUnderMouse(a.mainMenuButton, mouse) && gameState == Playing) {
        leaveGameForMenu(app);
    }
    if (spriteUnderMouse(a.pauseButton, mouse)) {
        pauseOrResume(app);
    }
    if (spriteUnderMouse(a.quitGameButton, mouse) && gameState == Playing) {
        requestClose(app);
    }
}
