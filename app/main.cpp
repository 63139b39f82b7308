// Entry point: create the application, run the frame loop until the window closes, tear down.
#include "app/startup.h"

#include <cstdlib>
#include <memory>

int main() {
    // Without its pictures the game would open a black full-screen window and report every missing file.
    if (!findAssetsFolder()) {
        return 1;
    }
    auto app = std::make_unique<AppContext>();
    if (const char* heartbeat = std::getenv("TAVRELLO_HEARTBEAT")) {
        app->heartbeatPath = heartbeat;
    }
    startApp(*app, sf::VideoMode::getDesktopMode(), sf::Style::Fullscreen);
    while (app->window.isOpen()) {
        runFrame(*app);
    }
    return 0;
}
