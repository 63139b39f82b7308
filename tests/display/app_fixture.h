// A whole application driven in-process: manual clock, scripted mouse and keys, a temporary high-score
// file, synthetic events at design positions, and the drawn frame read back.
#pragma once

#include "app/screens.h"
#include "app/startup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

namespace apptest {

inline sf::Vector2i scriptedMouse;
inline sf::Vector2i readScriptedMouse(const sf::Window&) {
    return scriptedMouse;
}
inline bool noKeyHeld(sf::Keyboard::Key) {
    return false;
}

// An event of the given type; a and b are the mouse position, or a is the key or the character.
inline sf::Event event(sf::Event::EventType type, int a = 0, int b = 0) {
    sf::Event e{};
    e.type = type;
    if (type == sf::Event::MouseMoved) {
        e.mouseMove = {a, b};
    } else if (type == sf::Event::MouseButtonPressed || type == sf::Event::MouseButtonReleased) {
        e.mouseButton = {sf::Mouse::Left, a, b};
    } else if (type == sf::Event::KeyPressed) {
        e.key.code = static_cast<sf::Keyboard::Key>(a);
    } else {
        e.text.unicode = static_cast<sf::Uint32>(a);
    }
    return e;
}
inline sf::Event key(sf::Keyboard::Key code) {
    return event(sf::Event::KeyPressed, code);
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline void writeFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

class AppTest : public ::testing::Test {
  protected:
    std::unique_ptr<AppContext> app;
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tavrello-app-" + std::to_string(getpid()));
    std::string scoreFile = (dir / "highscore.txt").string();

    void SetUp() override {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        scriptedMouse = {5, 5};
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // A fresh application on a window of the given size, before its first frame.
    void start(unsigned width = 1920, unsigned height = 1080) {
        app = std::make_unique<AppContext>();
        app->time.manual = true;
        app->time.manualSeconds = 1000.0;
        app->input = {&noKeyHeld, &readScriptedMouse};
        app->highScorePath = scoreFile;
        startApp(*app, sf::VideoMode(width, height), sf::Style::None);
    }
    void send(const sf::Event& e) { handleEvent(*app, e); }
    void frame() { stepFrame(*app); }
    void wait(double seconds) { advance(app->time, seconds); }
    // Frames a tenth of a second apart: the menus' timers are all read in tenths.
    void runFor(double seconds) {
        for (int tenths = static_cast<int>(std::ceil(seconds * 10 - 1e-6)); tenths > 0; --tenths) {
            wait(0.1);
            frame();
        }
    }
    void press(float x, float y) {
        scriptedMouse = {static_cast<int>(x * app->layout.scaleX), static_cast<int>(y * app->layout.scaleY)};
        send(event(sf::Event::MouseMoved, scriptedMouse.x, scriptedMouse.y));
        send(event(sf::Event::MouseButtonPressed, scriptedMouse.x, scriptedMouse.y));
    }
    void release() { send(event(sf::Event::MouseButtonReleased, scriptedMouse.x, scriptedMouse.y)); }
    // A press and its release in one frame, as a touchpad tap or a fast click on a slow frame.
    void quickClick(float x, float y) {
        press(x, y);
        release();
        frame();
    }
    void click(float x, float y) {
        press(x, y);
        frame();
        release();
        frame();
    }
    void typeText(const std::string& text) {
        for (char c : text) {
            send(event(sf::Event::TextEntered, static_cast<unsigned char>(c)));
        }
    }
    // From the splash to the main menu with its buttons shown, and on to the settings page.
    void reachMainMenu() {
        frame();
        send(key(sf::Keyboard::Space));
        runFor(2.4);
        ASSERT_EQ(gameState, Menu);
    }
    void openSettings() {
        reachMainMenu();
        click(960, 557);
        ASSERT_EQ(app->menuPage, Settings);
    }
    sf::Image shot() {
        sf::Texture texture;
        texture.create(app->window.getSize().x, app->window.getSize().y);
        texture.update(app->window);
        return texture.copyToImage();
    }
};

// Pixels of an area of a full-HD frame that pass the test, given the pixel and the one under it in the
// picture painted first.
template <typename Test>
int countPixels(const sf::Image& frame, sf::IntRect area, const std::string& picture, Test test) {
    sf::Image under;
    under.loadFromFile("assets/" + picture);
    int count = 0;
    for (unsigned y = area.top; y < static_cast<unsigned>(area.top + area.height); ++y) {
        for (unsigned x = area.left; x < static_cast<unsigned>(area.left + area.width); ++x) {
            count += test(frame.getPixel(x, y), under.getPixel(x, y));
        }
    }
    return count;
}
inline int changedPixels(const sf::Image& frame, const std::string& picture, sf::IntRect area) {
    return countPixels(frame, area, picture, [](sf::Color shown, sf::Color under) { return shown != under; });
}

} // namespace apptest
