// Start-up in its fixed order: window, scale, random seed, assets, music, first game values, store.
#include "app/startup.h"
#include "game/rules.h"
#include "scores/diagnostics.h"
#include "scores/highscore_file.h"
#include "view/audio.h"
#include "view/effects.h"
#include "view/game_view.h"
#include "view/menu_pages.h"
#include "view/mp3_reader.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace {

constexpr float designWidth = 1920.0f;
constexpr float designHeight = 1080.0f;

void startTimers(AppContext& app) {
    app.fadeClock = makeStopwatch(app.time);
    app.cursorClock = makeStopwatch(app.time);
    app.volumeRepeatClock = makeStopwatch(app.time);
    app.players.wrongInputClock = makeStopwatch(app.time);
    app.heartbeatClock = makeStopwatch(app.time);
    initGameView(app.view, app.time);
    initBlink(app.time);
}

// The first values of the screen flow and the game, before any menu is shown.
void setFirstValues(AppContext& app) {
    gameState = StartPage;
    app.menuPage = MainMenu;
    app.startWaiting = true;
    app.menuShown = false;
    app.gameReady = false;
    app.game = Game{};
    initGameClocks(app.game, app.time);
}

void openHighScoreStore(AppContext& app) {
    validateHighScoreFile(app.highScorePath);
    app.players.playerNames = readPlayerNames(app.highScorePath);
    app.players.lastPlayerIndex = -1;
}

} // namespace

bool findAssetsFolder() {
    std::error_code error;
    if (std::filesystem::is_directory("assets", error)) {
        return true;
    }
    const std::filesystem::path here = std::filesystem::current_path(error);
    report(Diagnostic::NoAssetsFolder, {error ? std::string(".") : here.string()});
    return false;
}

void startApp(AppContext& app, const sf::VideoMode& mode, sf::Uint32 style) {
    app.window.create(mode, "Tavrello Game", style);
    app.layout = {static_cast<float>(mode.width) / designWidth,
                  static_cast<float>(mode.height) / designHeight};
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    loadPictures(app.assets, app.layout.scaleX, app.layout.scaleY);
    loadCursorAndGems(app.assets, app.window, app.layout.scaleX, app.layout.scaleY);
    app.lastMousePosition = app.input.mousePosition(app.window);
    app.window.setMouseCursorVisible(false);
    app.cursorVisible = false;
    registerMp3Reader();
    loadAudio(app.assets.sounds);
    setFirstValues(app);
    openHighScoreStore(app);
    // The timers start after the slow loading, so the splash fades in from the first frame.
    startTimers(app);
    loadFont(app.assets);
    createNameTexts(app.players.nameText, app.players.wrongInputText, app.assets.font, app.layout);
}
