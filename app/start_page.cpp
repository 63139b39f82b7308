// The splash page: fades in, waits for Space, Enter or a click, fades out into the main menu.
#include "app/screens.h"

#include <algorithm>

namespace {

constexpr float fadeSeconds = 1.0f;

// A frame that comes late (a slow start, a busy machine) still ends the fade at its final value.
sf::Uint8 fadeAlpha(float t, bool fadingIn) {
    const float done = std::min(t, fadeSeconds);
    const float share = fadingIn ? done : fadeSeconds - done;
    return static_cast<sf::Uint8>(255.0f * share);
}

} // namespace

void leaveStartPage(AppContext& app) {
    app.startWaiting = false;
    restart(app.fadeClock);
}

sf::Uint8 screenFadeAlpha(float t, bool fadingIn) { return fadeAlpha(t, fadingIn); }

void updateStartPage(AppContext& app) {
    const float t = elapsedSeconds(app.fadeClock);
    app.assets.startPage.setColor(sf::Color(255, 255, 255, fadeAlpha(t, app.startWaiting)));
    if (t > fadeSeconds && !app.startWaiting) {
        gameState = Menu;
        app.menuShown = true;
        restart(app.fadeClock);
    }
    app.lastMousePosition = app.mousePosition;
}

void drawStartPage(AppContext& app) { app.window.draw(app.assets.startPage); }
