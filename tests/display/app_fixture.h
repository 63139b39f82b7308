// A whole application driven in-process: manual clock, scripted mouse and keys, a temporary
// high-score file, synthetic events.
#pragma once

#include "app/screens.h"
#include "app/startup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

namespace apptest {

// The scripted input the application reads instead of the real mouse and keyboard.
inline sf::Vector2i& scriptedMouse() {
    static sf::Vector2i mouse;
    return mouse;
}
inline std::set<sf::Keyboard::Key>& heldKeys() {
    static std::set<sf::Keyboard::Key> keys;
    return keys;
}
inline sf::Vector2i readScriptedMouse(const sf::Window&) {
    return scriptedMouse();
}
inline bool scriptedKeyHeld(sf::Keyboard::Key key) {
    return heldKeys().count(key) > 0;
}

inline sf::Event keyPress(sf::Keyboard::Key key) {
    sf::Event e{};
    e.type = sf::Event::KeyPressed;
    e.key.code = key;
    return e;
}
inline sf::Event textEntered(sf::Uint32 code) {
    sf::Event e{};
    e.type = sf::Event::TextEntered;
    e.text.unicode = code;
    return e;
}
inline sf::Event mouseMoved(int x, int y) {
    sf::Event e{};
    e.type = sf::Event::MouseMoved;
    e.mouseMove.x = x;
    e.mouseMove.y = y;
    return e;
}
inline sf::Event leftPress(int x, int y) {
    sf::Event e{};
    e.type = sf::Event::MouseButtonPressed;
    e.mouseButton.button = sf::Mouse::Left;
    e.mouseButton.x = x;
    e.mouseButton.y = y;
    return e;
}
inline sf::Event leftRelease(int x, int y) {
    sf::Event e = leftPress(x, y);
    e.type = sf::Event::MouseButtonReleased;
    return e;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

class AppTest : public ::testing::Test {
  protected:
    std::unique_ptr<AppContext> app = std::make_unique<AppContext>();
    std::filesystem::path dir;
    std::string scoreFile;

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("tavrello-app-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        scoreFile = (dir / "highscore.txt").string();
        heldKeys().clear();
        scriptedMouse() = {5, 5};
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Starts the application on a window of the given size, before any frame has run.
    void start(unsigned width = 1920, unsigned height = 1080) {
        app->time.manual = true;
        app->time.manualSeconds = 1000.0;
        app->input.mousePosition = &readScriptedMouse;
        app->input.keyHeld = &scriptedKeyHeld;
        app->highScorePath = scoreFile;
        startApp(*app, sf::VideoMode(width, height), sf::Style::None);
        std::srand(7);
    }

    void send(const sf::Event& e) { handleEvent(*app, e); }
    void frame() { stepFrame(*app); }
    void wait(double seconds) { advance(app->time, seconds); }
    // Runs frames over the given time, in steps of 1/40 s.
    void runFor(double seconds) {
        constexpr double step = 0.025;
        for (double t = 0; t < seconds; t += step) {
            wait(step);
            frame();
        }
    }
    void moveMouse(int x, int y) {
        scriptedMouse() = {x, y};
        send(mouseMoved(x, y));
    }
    // A press and its release in the same frame, as a touchpad tap or a fast click on a slow frame.
    void quickClick(int x, int y) {
        moveMouse(x, y);
        send(leftPress(x, y));
        send(leftRelease(x, y));
        frame();
    }
    void click(int x, int y) {
        moveMouse(x, y);
        send(leftPress(x, y));
        frame();
        send(leftRelease(x, y));
        frame();
    }
    // From the splash to the main menu with its buttons shown.
    void reachMainMenu() {
        frame();
        send(keyPress(sf::Keyboard::Space));
        runFor(1.05);
        ASSERT_EQ(gameState, Menu);
        runFor(1.3);
    }
    void typeText(const std::string& text) {
        for (char c : text) {
            send(textEntered(static_cast<unsigned char>(c)));
        }
    }
    sf::Color pixelAt(float designX, float designY) {
        sf::Texture shot;
        shot.create(app->window.getSize().x, app->window.getSize().y);
        shot.update(app->window);
        return shot.copyToImage().getPixel(static_cast<unsigned>(designX * app->layout.scaleX),
                                           static_cast<unsigned>(designY * app->layout.scaleY));
    }
};

} // namespace apptest
