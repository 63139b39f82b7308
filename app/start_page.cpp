// The splash page: fades in, waits for Space, Enter or a click, fades out into the main menu.
#include "app/screens.h"
#include "view/effects.h"

namespace {

constexpr float fadeSeconds = 1.0f;

} // namespace

void leaveStartPage(AppContext& app) {
    app.startWaiting = false;
    restart(app.fadeClock);
}

void updateStartPage(AppContext& app) {
    const float t = elapsedSeconds(app.fadeClock);
    app.assets.startPage.setColor(sf::Color(255, 255, 255, screenFadeAlpha(t, app.startWaiting)));
    if (t > fadeSeconds && !app.startWaiting) {
        gameState = Menu;
        app.menuShown = true;
        restart(app.fadeClock);
    }
    app.lastMousePosition = app.mousePosition;
}
