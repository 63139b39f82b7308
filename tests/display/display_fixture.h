// The screen tests' shared harness. AppTest: the whole application in-process on the real pictures, a
// manual clock, a scripted mouse, synthetic events at design positions, a temporary high-score file and
// the drawn frame read back. ViewTest: the game screen on solid-colour stand-ins for its pictures, so a
// pixel tells which picture lies on top, drawn at half scale.
#pragma once

#include "app/screens.h"
#include "app/startup.h"
#include "game/rules.h"
#include "view/digits.h"
#include "view/effects.h"
#include "view/game_screen.h"
#include "view/positions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <dlfcn.h>
#include <unistd.h>

namespace displaytest {

// Keeps Mesa's software GL driver loaded until the process ends. The GL library unloads it at exit,
// before LeakSanitizer reports, and the driver's own small allocations then show up as leaks of an
// unknown module that no suppression can name; pinned, they are attributed to the driver and suppressed.
inline const bool glDriverPinned = [] {
    for (const char* path :
         {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so"}) {
        if (dlopen(path, RTLD_LAZY | RTLD_NODELETE) != nullptr) {
            return true;
        }
    }
    return false;
}();

inline sf::Vector2i scriptedMouse;

// Where the tests click: the main menu's buttons span the screen's middle column, 53 units under their
// tops; the volume arrows (music up, down, sound up, down) 37 across and 39 down from their corners.
using positions::volumeArrowY;
constexpr float menuX = 960, startY = positions::startButton.y + 53,
                settingsY = positions::settingsButton.y + 53,
                instructionsY = positions::instructionsButton.y + 53, aboutY = positions::aboutButton.y + 53,
                quitY = positions::quitButton.y + 53;
constexpr float arrowX = positions::volumeArrowX + 37, musicUpY = volumeArrowY[0] + 39,
                musicDownY = volumeArrowY[1] + 39, soundUpY = volumeArrowY[2] + 39,
                soundDownY = volumeArrowY[3] + 39;

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
        app->input = {[](sf::Keyboard::Key) { return false; },
                      [](const sf::Window&) { return scriptedMouse; }};
        app->highScorePath = scoreFile;
        startApp(*app, sf::VideoMode(width, height), sf::Style::None);
    }
    void send(const sf::Event& e) { handleEvent(*app, e); }
    void frame() { stepFrame(*app); }
    void wait(double seconds) { advance(app->time, seconds); }
    void frameAfter(double seconds) {
        wait(seconds);
        frame();
    }
    // Frames a tenth of a second apart: the menus' timers are all read in tenths.
    void runFor(double seconds) {
        for (int tenths = static_cast<int>(std::ceil(seconds * 10 - 1e-6)); tenths > 0; --tenths) {
            wait(0.1);
            frame();
        }
    }
    void hover(float x, float y) {
        scriptedMouse = {static_cast<int>(x * app->layout.scaleX), static_cast<int>(y * app->layout.scaleY)};
        send(event(sf::Event::MouseMoved, scriptedMouse.x, scriptedMouse.y));
    }
    void press(float x, float y) {
        hover(x, y);
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
        click(menuX, settingsY);
        ASSERT_EQ(app->menuPage, Settings);
    }
    sf::Image shot() {
        sf::Texture texture;
        texture.create(app->window.getSize().x, app->window.getSize().y);
        texture.update(app->window);
        return texture.copyToImage();
    }
};

// The application's music and effect players.
inline const auto music = [](AppContext& app) -> sf::Music& { return app.assets.sounds.players->music; };
inline const auto sound = [](AppContext& app, SoundEffectId effect) -> sf::Sound& {
    return app.assets.sounds.players->effects[static_cast<std::size_t>(effect)].sound;
};

// Pixels of an area of a full-HD frame that pass the test, given the pixel and the one under it in the
// picture painted first.
template <typename Test>
int countPixels(const sf::Image& frame, sf::IntRect area, const std::string& picture, Test test) {
    static std::map<std::string, sf::Image> loaded; // each picture decoded once for the whole run
    sf::Image& under = loaded[picture];
    if (under.getSize().x == 0) {
        under.loadFromFile("assets/" + picture);
    }
    int count = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const sf::Vector2u p(static_cast<unsigned>(x), static_cast<unsigned>(y));
            count += test(frame.getPixel(p.x, p.y), under.getPixel(p.x, p.y));
        }
    }
    return count;
}
inline int changedPixels(const sf::Image& frame, const std::string& picture, sf::IntRect area) {
    return countPixels(frame, area, picture, [](sf::Color shown, sf::Color under) { return shown != under; });
}

constexpr float testScale = 0.5f;

// Families of stand-in colours told apart by the blue channel: gems by code, digits by value (plain at
// 40, 40; end screen at 90, 90), end messages by index, the game screen's buttons as music on, off,
// sound on, off, main menu, pause, resume, quit.
const sf::Color backdropColour(1, 2, 3), backgroundColour(10, 60, 10), casualColour(10, 60, 60),
    colorLinesColour(60, 10, 60), tubeColour(120, 120, 120), gameOverColour(150, 0, 0),
    congratulationsColour(0, 150, 0), colonColour(40, 40, 250);
inline sf::Color tone(int r, int g, int b) {
    return {static_cast<sf::Uint8>(r), static_cast<sf::Uint8>(g), static_cast<sf::Uint8>(b)};
}
inline const auto fallColour = [](int code) { return tone(200, 10 * code, 0); };
inline const auto threadColour = [](int code) { return tone(0, 200, 10 * code + 5); };
inline const auto patternColour = [](int code) { return tone(0, 100, 10 * code + 5); };

inline void solid(sf::Texture& texture, unsigned width, unsigned height, sf::Color colour) {
    sf::Image image;
    image.create(width, height, colour);
    texture.loadFromImage(image);
}
inline void placeTest(sf::Sprite& sprite, DesignPoint at) {
    placeSprite(sprite, at.x, at.y, testScale, testScale);
}
inline void solidSprite(sf::Sprite& sprite, sf::Texture& texture, sf::Vector2u size, sf::Color colour,
                        DesignPoint at) {
    solid(texture, size.x, size.y, colour);
    sprite.setTexture(texture, true);
    placeTest(sprite, at);
}

// The digit a sprite shows from the set, ':' for the colon, '_' when transparent, '?' otherwise.
template <typename Sprites>
std::string shown(const Sprites& sprites, const AssetCatalogue& assets, const DigitTextureSet& set) {
    std::string text;
    for (const sf::Sprite& sprite : sprites) {
        char c = sprite.getTexture() == &assets.colonTexture ? ':' : '?';
        for (std::size_t d = 0; d < set.size(); ++d) {
            c = sprite.getTexture() == &set[d] ? static_cast<char>('0' + d) : c;
        }
        text += sprite.getColor().a == 0 ? '_' : c;
    }
    return text;
}

// Solid-colour stand-ins for the game-screen pictures at their design places: 70-unit buttons, 24x40
// digits, 15x30 end digits, 530x200 end messages and 60-unit gems.
inline void makeTestPictures(AssetCatalogue& a) {
    using namespace positions;
    const sf::Vector2u screen(1920, 1080);
    solidSprite(a.backdrop, a.natureTexture, screen, backdropColour, {0, 0});
    solidSprite(a.background, a.backgroundTexture, screen, backgroundColour, {0, 0});
    solidSprite(a.backgroundCasual, a.backgroundCasualTexture, screen, casualColour, {0, 0});
    solidSprite(a.backgroundColorLines, a.backgroundColorLinesTexture, screen, colorLinesColour, {0, 0});
    solidSprite(a.trashTube, a.trashTubeTexture, {70, 480}, tubeColour, trashTube);
    solidSprite(a.gameOverPicture, a.gameOverTexture, screen, gameOverColour, {0, 0});
    solidSprite(a.congratulationsPicture, a.congratulationsTexture, screen, congratulationsColour, {0, 0});
    sf::Texture* pictures[] = {&a.musicOnTexture,  &a.musicOffTexture, &a.soundOnTexture, &a.soundOffTexture,
                               &a.mainMenuTexture, &a.pauseTexture,    &a.resumeTexture,  &a.quitGameTexture};
    sf::Sprite* buttons[] = {&a.musicButton, &a.soundButton, &a.mainMenuButton, &a.pauseButton,
                             &a.quitGameButton};
    const int firstPicture[] = {0, 2, 4, 5, 7}; // music on, sound on, main menu, pause, quit
    for (int i = 0; i < 8; ++i) {
        solid(*pictures[i], 70, 70, tone(250, 250, 1 + i));
    }
    for (int i = 0; i < 5; ++i) {
        buttons[i]->setTexture(*pictures[firstPicture[i]], true);
        placeTest(*buttons[i], placeInRow(gameButtons, i));
    }
    for (int i = 0; i < 4; ++i) {
        solidSprite(a.endMessages[i], a.endMessageTextures[i], {530, 200}, tone(150, 150, 1 + i), endMessage);
    }
    for (int d = 0; d < 10; ++d) {
        solid(a.digitTextures[d], 24, 40, tone(40, 40, 100 + 10 * d));
        solid(a.endDigitTextures[d], 15, 30, tone(90, 90, 100 + 10 * d));
        solid(a.fallTextures[d], 60, 60, fallColour(d + 1));
    }
    for (int code = 0; code < 11; ++code) {
        solid(a.threadTextures[code], 60, 60, threadColour(code));
        solid(a.patternTextures[code], 60, 60, patternColour(code));
    }
    solid(a.colonTexture, 24, 40, colonColour);
    refreshLevelClock(a.levelClock, a.digitTextures, 60);
    a.levelClock[2].setTexture(a.colonTexture, true);
    for (int i = 0; i < 5; ++i) {
        placeTest(a.levelClock[i], placeInRow(levelClock, i));
    }
    for (int i = 0; i < 2; ++i) {
        placeTest(a.levelDigits[i], placeInRow(levelDigits, i));
        a.endLevelDigits[i].setTexture(a.endDigitTextures[i], true);
        placeTest(a.endLevelDigits[i], placeInRow(endLevelDigits, i));
    }
    refreshLevelDigits(a.levelDigits, a.digitTextures, 1);
    loadFont(a);
}

// The game screen as the application runs it, on a manual clock at 100 s with the test pictures, drawn
// into a half-size target over a composed picture.
class ViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app->time.manual = true;
        app->time.manualSeconds = 100.0;
        app->layout = {testScale, testScale};
        app->fadeClock = makeStopwatch(app->time);
        initGameView(app->view, app->time);
        initBlink(app->time);
        initGameClocks(app->game, app->time);
        makeTestPictures(app->assets);
        gameState = Playing;
        target.create(960, 540);
    }
    void TearDown() override { gameState = StartPage; }
    void advanceSeconds(double seconds) { advance(app->time, seconds); }
    sf::Image drawPlayingFrame() {
        drawPlaying(target, layer, assets, view, game, app->audio, playerName, app->layout);
        target.display();
        return target.getTexture().copyToImage();
    }
    sf::Image drawGameEndFrame() {
        drawGameEnd(target, layer, assets, view, game, elapsedSeconds(app->fadeClock), app->layout);
        target.display();
        return target.getTexture().copyToImage();
    }
    static sf::Color at(const sf::Image& image, float designX, float designY) {
        return image.getPixel(static_cast<unsigned>(designX * testScale),
                              static_cast<unsigned>(designY * testScale));
    }
    // The centre of a board cell (or of the falling gem standing there).
    static sf::Color atCell(const sf::Image& image, int row, int column) {
        return at(image, static_cast<float>(columnX[static_cast<std::size_t>(column)] + 30),
                  static_cast<float>(boardTopY + 30 + cellSize * row));
    }

    std::unique_ptr<AppContext> app = std::make_unique<AppContext>();
    AssetCatalogue& assets = app->assets;
    GameView& view = app->view;
    Game& game = app->game;
    std::string playerName;
    sf::RenderTexture target;
    ComposedLayer layer;
};

} // namespace displaytest
