// Start-up in its fixed order: window, scale, random seed, assets, music, first game values, store.
#include "app/startup.h"

#include <cstdlib>
#include <ctime>

namespace {

constexpr float designWidth = 1920.0f;
constexpr float designHeight = 1080.0f;

void startTimers(AppContext& app) {
    app.fadeClock = makeStopwatch(app.time);
    app.cursorClock = makeStopwatch(app.time);
    app.volumeRepeatClock = makeStopwatch(app.time);
    app.players.wrongInputClock = makeStopwatch(app.time);
}

} // namespace

void startApp(AppContext& app, const sf::VideoMode& mode, sf::Uint32 style) {
    app.window.create(mode, "Tavrello Game", style);
    app.scaleX = static_cast<float>(mode.width) / designWidth;
    app.scaleY = static_cast<float>(mode.height) / designHeight;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    startTimers(app);
    loadPictures(app.assets, app.scaleX, app.scaleY);
    loadCursorAndGems(app.assets, app.window, app.scaleX, app.scaleY);
    app.lastMousePosition = sf::Mouse::getPosition(app.window);
    app.window.setMouseCursorVisible(false);
    app.cursorVisible = false;
    loadAudio(app.assets);
    loadFont(app.assets);
}

void runFrame(AppContext& app) {
    while (app.window.pollEvent(app.event)) {
        handleEvent(app, app.event);
    }
    stepFrame(app);
}

void handleEvent(AppContext& app, const sf::Event& event) {
    if (event.type == sf::Event::Closed) {
        app.window.close();
    }
    if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape) {
        app.window.close();
    }
}

void stepFrame(AppContext& app) {
    const float t = elapsedSeconds(app.fadeClock);
    const float alpha = t < 1.0f ? 255.0f * t : 255.0f;
    app.assets.startPage.setColor(sf::Color(255, 255, 255, static_cast<sf::Uint8>(alpha)));
    app.window.clear(sf::Color::Black);
    app.window.draw(app.assets.startPage);
    app.window.display();
}
