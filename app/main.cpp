// Entry point: create the application, run the frame loop until the window closes, tear down.
#include "app/startup.h"

#ifdef _WIN32
#include "app/program_folder.h"
#endif

#include <csignal>
#include <cstdlib>
#include <memory>

int main() {
#ifdef SIGPIPE
    // Output piped to a program that has quit (a pager, head) must cost a diagnostic line, not the game.
    std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef _WIN32
    // Started from a shortcut or another folder, the game still loads the assets beside it.
    if (!enterProgramFolder()) {
        return 1;
    }
#endif
    // Without its pictures the game would open a black full-screen window and report every missing file.
    if (!findAssetsFolder()) {
        return 1;
    }
    auto app = std::make_unique<AppContext>();
#ifdef _WIN32
    app->highScorePath = highScorePathForPlayer();
#endif
    if (const char* heartbeat = std::getenv("TAVRELLO_HEARTBEAT")) {
        app->heartbeatPath = heartbeat;
    }
    startApp(*app, sf::VideoMode::getDesktopMode(), sf::Style::Fullscreen);
    while (app->window.isOpen()) {
        runFrame(*app);
    }
    return 0;
}
