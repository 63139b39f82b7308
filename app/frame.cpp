// The frame loop: events in arrival order, mouse and cursor auto-hide, update, key latches, drawing.
#include "app/screens.h"
#include "app/startup.h"
#include "game/rules.h"
#include "view/audio.h"
#include "view/game_screen.h"
#include "view/menu_pages.h"

#include <fstream>

namespace {

constexpr float cursorHideSeconds = 2.0f;

void handleEscape(AppContext& app) {
    if (app.menuPage != MainMenu) {
        app.menuPage = MainMenu;
        restart(app.fadeClock);
        return;
    }
    requestClose(app);
}

void handleNavigationKey(AppContext& app) {
    if (gameState == StartPage && app.startWaiting) {
        leaveStartPage(app);
    } else if (gameState == GameEnd) {
        leaveEndScreen(app);
    }
}

void handleKey(AppContext& app, sf::Keyboard::Key key) {
    switch (key) {
    case sf::Keyboard::Escape:
        handleEscape(app);
        return;
    case sf::Keyboard::Enter:
        handleNavigationKey(app);
        return;
    case sf::Keyboard::Space:
        handleNavigationKey(app);
        handlePlayingKey(app, key);
        return;
    case sf::Keyboard::M:
    case sf::Keyboard::S:
        handleAudioKey(app, key);
        return;
    case sf::Keyboard::Delete:
        if (gameState == Menu && app.menuPage == Settings && !app.players.currentPlayer.empty()) {
            deleteCurrentPlayer(app);
        }
        return;
    default:
        handlePlayingKey(app, key);
        return;
    }
}

bool isLeftPress(const sf::Event& event) {
    return event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left;
}

// Every click acts once, at its press: a press and its release taken in the same frame count as well.
void handleLeftClick(AppContext& app, sf::Vector2i click) {
    app.press = MousePress{true, false, HeldControl::None, click};
    if (app.menuPage == Settings && gameState == Menu) {
        pickListedPlayer(app, click);
    }
    if (gameState == StartPage && app.startWaiting) {
        leaveStartPage(app);
    } else if (gameState == Menu && app.menuPage == MainMenu) {
        handleMainMenuClick(app, click);
    } else if (gameState == Menu) {
        handleMenuPageClick(app, click);
    } else if (gameState == GameEnd) {
        leaveEndScreen(app);
    }
    if (gameState == Playing) {
        handleGameButtons(app, app.input.mousePosition(app.window));
    }
}

void followPress(MousePress& press, const sf::Event& event) {
    if (event.type == sf::Event::MouseMoved) {
        press.moved = true;
    }
    const bool leftReleased =
        event.type == sf::Event::MouseButtonReleased && event.mouseButton.button == sf::Mouse::Left;
    if (leftReleased || event.type == sf::Event::LostFocus) {
        press.held = false;
    }
}

void autoHideCursor(AppContext& app) {
    if (gameState != Menu && gameState != Playing) {
        app.window.setMouseCursorVisible(false);
        app.cursorVisible = false;
        return;
    }
    if (app.mousePosition != app.lastMousePosition) {
        if (!app.cursorVisible) {
            app.window.setMouseCursorVisible(true);
            app.cursorVisible = true;
        }
        restart(app.cursorClock);
    } else if (app.cursorVisible && elapsedSeconds(app.cursorClock) > cursorHideSeconds) {
        app.window.setMouseCursorVisible(false);
        app.cursorVisible = false;
    }
}

void updateCurrentState(AppContext& app) {
    switch (gameState) {
    case StartPage:
        updateStartPage(app);
        break;
    case Menu:
        updateMenu(app);
        break;
    case Playing:
        updatePlayingScreen(app);
        break;
    case GameEnd:
        updateGameEndScreen(app);
        break;
    default:
        break;
    }
}

void drawCurrentState(AppContext& app) {
    switch (gameState) {
    case StartPage:
        drawStartPage(app.window, app.layer, app.assets);
        break;
    case Menu:
        drawMenu(app);
        break;
    case Playing:
        drawPlaying(app.window, app.layer, app.assets, app.view, app.game, app.audio,
                    app.players.currentPlayer, app.layout);
        break;
    case GameEnd:
        drawGameEnd(app.window, app.layer, app.assets, app.view, app.game, elapsedSeconds(app.fadeClock),
                    app.layout);
        break;
    default:
        app.window.clear(sf::Color(0, 0, 0, 255));
        break;
    }
}

void closeIfRequested(AppContext& app) {
    if (app.closeRequested) {
        app.window.close();
    }
}

void beatHeart(AppContext& app) {
    ++app.framesShown;
    if (app.heartbeatPath.empty() || elapsedSeconds(app.heartbeatClock) < 1.0f) {
        return;
    }
    restart(app.heartbeatClock);
    std::ofstream(app.heartbeatPath, std::ios::trunc) << app.framesShown << '\n';
}

} // namespace

void requestClose(AppContext& app) {
    app.closeRequested = true;
}

sf::Vector2i readWindowMouse(const sf::Window& window) {
    return sf::Mouse::getPosition(window);
}

void runFrame(AppContext& app) {
    sf::Event event{};
    while (app.window.pollEvent(event)) {
        handleEvent(app, event);
    }
    stepFrame(app);
}

void handleEvent(AppContext& app, const sf::Event& event) {
    followPress(app.press, event);
    snapshotAudioStatus(app.game.audio, app.audio, app.assets.sounds);
    if (event.type == sf::Event::Closed) {
        requestClose(app);
    }
    if (event.type == sf::Event::TextEntered && app.menuPage == Settings && gameState == Menu) {
        handleNameCharacter(app, event.text.unicode);
    }
    refreshNameText(app);
    if (event.type == sf::Event::KeyPressed) {
        handleKey(app, event.key.code);
    }
    if (isLeftPress(event)) {
        handleLeftClick(app, {event.mouseButton.x, event.mouseButton.y});
    }
    carryOutRequests(app);
}

void stepFrame(AppContext& app) {
    app.mousePosition = app.input.mousePosition(app.window);
    autoHideCursor(app);
    silenceIfDeviceLost(app.assets.sounds);
    snapshotAudioStatus(app.game.audio, app.audio, app.assets.sounds);
    updateCurrentState(app);
    if (app.skipRestOfFrame) {
        app.skipRestOfFrame = false;
        closeIfRequested(app);
        return;
    }
    releaseAudioLatches(app.audio, app.input.keyHeld(sf::Keyboard::M), app.input.keyHeld(sf::Keyboard::S));
    releasePauseLatch(app.game, app.input.keyHeld(sf::Keyboard::P));
    // Every screen's first draw covers the whole window: there is nothing to clear.
    drawCurrentState(app);
    app.window.display();
    beatHeart(app);
    closeIfRequested(app);
}
