// The game screen and the end screen as states of the application: keys to the rules, the frame's
// update, the end of a game with its result, and the way back to the menu.
#include "app/screens.h"
#include "game/rules.h"
#include "scores/player_registry.h"
#include "view/audio.h"
#include "view/digits.h"
#include "view/game_screen.h"

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
    recordResult(app.highScorePath, app.players.currentPlayer, g.mode.gameMode, g.score, record.levelValue,
                 record.count);
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
    layoutPlayReadouts(app);
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
