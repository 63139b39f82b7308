// The menu pages: the main menu with its fade and hover buttons, instructions and about, and the
// preparation of the next game.
#include "app/screens.h"
#include "game/rules.h"
#include "scores/highscore_file.h"
#include "scores/player_registry.h"
#include "view/digits.h"
#include "view/effects.h"
#include "view/hit_test.h"
#include "view/menu_pages.h"

namespace {

constexpr float fadeSeconds = 1.0f;
constexpr float buttonsAppearSeconds = 1.2f;

void pressStart(AppContext& app) {
    const std::string& path = app.highScorePath;
    if (fileExists(path) && !fileIsEmpty(path)) {
        app.menuShown = false;
        restart(app.fadeClock);
        // A blink left running by the name prompt would reach the game's level digits, whose tens
        // would keep whatever phase the blink was in when the units ended it.
        if (!app.namePrompt) {
            stopBlink();
        }
        app.game.bestScore = storedBestScore(path, app.players.currentPlayer, app.game.mode.gameMode);
        return;
    }
    app.menuPage = Settings;
    app.namePrompt = true;
    startBlink();
}

void pressMainMenuButtons(AppContext& app, sf::Vector2i mouse) {
    auto buttons = mainMenuButtons(app.assets);
    if (spriteUnderMouse(buttons[0]->normal, mouse)) {
        app.press.control = HeldControl::Start;
        pressStart(app);
    }
    if (spriteUnderMouse(buttons[1]->normal, mouse)) {
        app.menuPage = Settings;
    }
    if (spriteUnderMouse(buttons[2]->normal, mouse)) {
        app.menuPage = Instructions;
    }
    if (spriteUnderMouse(buttons[3]->normal, mouse)) {
        app.menuPage = About;
    }
    if (spriteUnderMouse(buttons[4]->normal, mouse)) {
        requestClose(app);
    }
}

void fadeMenuBackground(AppContext& app, float t) {
    app.assets.menuPage.setColor(sf::Color(255, 255, 255, screenFadeAlpha(t, app.menuShown)));
}

// A press held still on Start keeps the fade-out into the game from ending.
void continueHeldPress(AppContext& app) {
    const MousePress& press = app.press;
    if (press.held && !press.moved && press.control == HeldControl::Start && app.menuPage == MainMenu &&
        !app.menuShown) {
        pressStart(app);
    }
}

bool mainMenuButtonsShown(const AppContext& app) {
    return app.menuFadeSeconds > buttonsAppearSeconds && app.menuShown;
}

} // namespace

void handleMainMenuClick(AppContext& app, sf::Vector2i click) {
    // The buttons act only while drawn: not before they appear, not during the fade-out into a game.
    if (app.menuShown && elapsedSeconds(app.fadeClock) > buttonsAppearSeconds) {
        pressMainMenuButtons(app, click);
    }
}

void prepareNewGame(AppContext& app) {
    startNewGame(app.game);
    app.view.unsavedResultCause.clear();
    app.gameReady = true;
    refreshLevelDigits(app.assets.levelDigits, app.assets.digitTextures, app.game.level);
    if (app.players.currentPlayer.empty()) {
        app.players.currentPlayer = readLastPlayer(app.highScorePath);
        app.players.lastPlayerIndex = indexOfLastPlayer(app.highScorePath);
    }
}

void returnToMainMenu(AppContext& app) {
    app.menuPage = MainMenu;
    restart(app.fadeClock);
}

void handleMenuPageClick(AppContext& app, sf::Vector2i click) {
    if (app.menuPage == Settings) {
        handleSettingsClick(app, click);
    } else {
        app.menuPage = MainMenu;
    }
    restart(app.fadeClock);
}

void updateMenu(AppContext& app) {
    if (!app.gameReady) {
        prepareNewGame(app);
    }
    const float t = elapsedSeconds(app.fadeClock);
    app.menuFadeSeconds = t;
    fadeMenuBackground(app, t);
    if (t > fadeSeconds && !app.menuShown) {
        gameState = Playing;
    }
    auto buttons = mainMenuButtons(app.assets);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        app.menuHover[i] = spriteUnderMouse(buttons[i]->normal, app.mousePosition);
    }
    continueHeldPress(app);
    if (app.menuPage == Settings) {
        updateSettingsPage(app);
    }
    app.lastMousePosition = app.mousePosition;
}

void drawMenu(AppContext& app) {
    switch (app.menuPage) {
    case MainMenu:
        drawMainMenu(app.window, app.layer, app.assets, app.menuHover, mainMenuButtonsShown(app));
        break;
    case Settings:
        drawSettingsPage(app.window, app.layer, app.assets, app.view, app.game.mode.gameMode);
        drawPlayerPanel(app);
        break;
    case Instructions:
        drawPicturePage(app.window, app.layer, app.assets.instructionsPage);
        break;
    case About:
        drawPicturePage(app.window, app.layer, app.assets.aboutPage);
        break;
    default:
        app.window.clear(sf::Color(0, 0, 0, 255));
        break;
    }
}
