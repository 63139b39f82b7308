// The splash page: fades in, waits for Space, Enter or a click, fades out into the main menu.
#include "app/screens.h"

namespace {

constexpr float fadeSeconds = 1.0f;

sf::Uint8 fadeAlpha(float t, bool fadingIn) {
    const float share = fadingIn ? t : 1.0f - t;
    return static_cast<sf::Uint8>(255.0f * share);
}

} // namespace

void leaveStartPage(AppContext& app) {
    app.startWaiting = false;
    restart(app.fadeClock);
}

void updateStartPage(AppContext& app) {
    const float t = elapsedSeconds(app.fadeClock);
    if (t < fadeSeconds) {
        app.assets.startPage.setColor(sf::Color(255, 255, 255, fadeAlpha(t, app.startWaiting)));
    }
    if (t > fadeSeconds && !app.startWaiting) {
        gameState = Menu;
        app.menuShown = true;
        restart(app.fadeClock);
    }
    app.lastMousePosition = app.mousePosition;
}

void drawStartPage(AppContext& app) { app.window.draw(app.assets.startPage); }
