// Shared set-up of the game-screen tests: the game, its presentation state and a catalogue of
// solid-colour pictures of known colours in place of the artwork, on a manual clock, drawn into an
// off-screen target at half scale.
#pragma once

#include "app/screens.h"
#include "game/rules.h"
#include "view/digits.h"
#include "view/effects.h"
#include "view/game_screen.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace viewtest {

constexpr float testScale = 0.5f;
constexpr unsigned targetWidth = 960; // 1920 design units at half scale
constexpr unsigned targetHeight = 540;

// Picture colours; each picture is one colour so a pixel tells which picture lies on top.
const sf::Color backdropColour(1, 2, 3);
const sf::Color backgroundColour(10, 60, 10);
const sf::Color casualColour(10, 60, 60);
const sf::Color colorLinesColour(60, 10, 60);
const sf::Color tubeColour(120, 120, 120);
const sf::Color gameOverColour(150, 0, 0);
const sf::Color congratulationsColour(0, 150, 0);
const sf::Color black(0, 0, 0);
inline sf::Color fallColour(int code) {
    return sf::Color(200, static_cast<sf::Uint8>(10 * code), 0);
}
inline sf::Color threadColour(int code) {
    return sf::Color(0, 200, static_cast<sf::Uint8>(10 * code + 5));
}
inline sf::Color patternColour(int code) {
    return sf::Color(0, 100, static_cast<sf::Uint8>(10 * code + 5));
}
inline sf::Color digitColour(int digit) {
    return sf::Color(40, 40, static_cast<sf::Uint8>(100 + 10 * digit));
}
const sf::Color colonColour(40, 40, 250);
inline sf::Color endDigitColour(int digit) {
    return sf::Color(90, 90, static_cast<sf::Uint8>(100 + 10 * digit));
}
inline sf::Color endMessageColour(int index) {
    return sf::Color(150, 150, static_cast<sf::Uint8>(1 + index));
}
const sf::Color musicOnColour(250, 250, 1);
const sf::Color musicOffColour(250, 250, 2);
const sf::Color soundOnColour(250, 250, 3);
const sf::Color soundOffColour(250, 250, 4);
const sf::Color mainMenuColour(250, 250, 5);
const sf::Color pauseColour(250, 250, 6);
const sf::Color resumeColour(250, 250, 7);
const sf::Color quitColour(250, 250, 8);

// Design sizes of the test pictures.
constexpr unsigned gemSize = 60;
constexpr unsigned digitWidth = 24, digitHeight = 40;
constexpr unsigned endDigitWidth = 15, endDigitHeight = 30;
constexpr unsigned buttonSize = 70;

inline void solid(sf::Texture& texture, unsigned width, unsigned height, sf::Color colour) {
    sf::Image image;
    image.create(width, height, colour);
    texture.loadFromImage(image);
}

inline void solidSprite(sf::Texture& texture, sf::Sprite& sprite, unsigned width, unsigned height,
                        sf::Color colour, float x, float y) {
    solid(texture, width, height, colour);
    sprite.setTexture(texture, true);
    placeSprite(sprite, x, y, testScale, testScale);
}

// Window pixel of a design point at the test scale.
inline sf::Vector2i pixelOf(float designX, float designY) {
    return {static_cast<int>(designX * testScale), static_cast<int>(designY * testScale)};
}

// What a digit row shows: one character per sprite, '_' for a transparent one, '?' for a picture
// outside the set.
inline std::string shown(const DigitRow& row, const DigitTextureSet& set) {
    std::string text;
    for (const sf::Sprite& sprite : row) {
        if (sprite.getColor().a == 0) {
            text += '_';
            continue;
        }
        char c = '?';
        for (std::size_t d = 0; d < set.size(); ++d) {
            if (sprite.getTexture() == &set[d]) {
                c = static_cast<char>('0' + d);
            }
        }
        text += c;
    }
    return text;
}

// The digit a fixed read-out sprite shows, ':' for the colon, '?' otherwise.
inline char pictureOf(const sf::Sprite& sprite, const AssetCatalogue& assets, const DigitTextureSet& set) {
    if (sprite.getTexture() == &assets.colonTexture) {
        return ':';
    }
    for (std::size_t d = 0; d < set.size(); ++d) {
        if (sprite.getTexture() == &set[d]) {
            return static_cast<char>('0' + d);
        }
    }
    return '?';
}

// Solid-colour stand-ins for the game-screen pictures, at their design positions and the test scale.
inline void makeGemPictures(AssetCatalogue& a) {
    for (std::size_t code = 0; code < a.threadTextures.size(); ++code) {
        solid(a.threadTextures[code], gemSize, gemSize, threadColour(static_cast<int>(code)));
        solid(a.patternTextures[code], gemSize, gemSize, patternColour(static_cast<int>(code)));
    }
    for (std::size_t kind = 0; kind < a.fallTextures.size(); ++kind) {
        solid(a.fallTextures[kind], gemSize, gemSize, fallColour(static_cast<int>(kind) + 1));
    }
    a.fallingGem.setTexture(a.fallTextures[0], true);
}

inline void makeDigitPictures(AssetCatalogue& a) {
    for (std::size_t d = 0; d < 10; ++d) {
        solid(a.digitTextures[d], digitWidth, digitHeight, digitColour(static_cast<int>(d)));
        solid(a.endDigitTextures[d], endDigitWidth, endDigitHeight, endDigitColour(static_cast<int>(d)));
    }
    solid(a.colonTexture, digitWidth, digitHeight, colonColour);
    const sf::Texture* clockStart[] = {&a.digitTextures[0], &a.digitTextures[1], &a.colonTexture,
                                       &a.digitTextures[0], &a.digitTextures[0]};
    for (std::size_t i = 0; i < a.levelClock.size(); ++i) {
        a.levelClock[i].setTexture(*clockStart[i], true);
        placeSprite(a.levelClock[i], 50.0f + 25.0f * static_cast<float>(i), 60, testScale, testScale);
    }
    for (std::size_t i = 0; i < a.levelDigits.size(); ++i) {
        a.levelDigits[i].setTexture(a.digitTextures[i], true);
        placeSprite(a.levelDigits[i], 328.0f + 25.0f * static_cast<float>(i), 60, testScale, testScale);
    }
    for (std::size_t i = 0; i < a.endLevelDigits.size(); ++i) {
        a.endLevelDigits[i].setTexture(a.endDigitTextures[i], true);
        placeSprite(a.endLevelDigits[i], 799.0f + 16.0f * static_cast<float>(i), 795, testScale, testScale);
    }
}

inline void makeButtons(AssetCatalogue& a) {
    solidSprite(a.musicOnTexture, a.musicButton, buttonSize, buttonSize, musicOnColour, 1543, 22);
    solid(a.musicOffTexture, buttonSize, buttonSize, musicOffColour);
    solidSprite(a.soundOnTexture, a.soundButton, buttonSize, buttonSize, soundOnColour, 1619, 22);
    solid(a.soundOffTexture, buttonSize, buttonSize, soundOffColour);
    solidSprite(a.mainMenuTexture, a.mainMenuButton, buttonSize, buttonSize, mainMenuColour, 1695, 22);
    solidSprite(a.pauseTexture, a.pauseButton, buttonSize, buttonSize, pauseColour, 1771, 22);
    solid(a.resumeTexture, buttonSize, buttonSize, resumeColour);
    solidSprite(a.quitGameTexture, a.quitGameButton, buttonSize, buttonSize, quitColour, 1847, 22);
}

inline void makeTestPictures(AssetCatalogue& a) {
    solidSprite(a.natureTexture, a.backdrop, 1920, 1080, backdropColour, 0, 0);
    solidSprite(a.backgroundTexture, a.background, 1920, 1080, backgroundColour, 0, 0);
    solidSprite(a.backgroundCasualTexture, a.backgroundCasual, 1920, 1080, casualColour, 0, 0);
    solidSprite(a.backgroundColorLinesTexture, a.backgroundColorLines, 1920, 1080, colorLinesColour, 0, 0);
    solidSprite(a.trashTubeTexture, a.trashTube, 70, 480, tubeColour, 1773, 113);
    solidSprite(a.gameOverTexture, a.gameOverPicture, 1920, 1080, gameOverColour, 0, 0);
    solidSprite(a.congratulationsTexture, a.congratulationsPicture, 1920, 1080, congratulationsColour, 0, 0);
    for (std::size_t i = 0; i < a.endMessages.size(); ++i) {
        solidSprite(a.endMessageTextures[i], a.endMessages[i], 530, 200,
                    endMessageColour(static_cast<int>(i)), 695, 571);
    }
    makeButtons(a);
    makeDigitPictures(a);
    makeGemPictures(a);
    for (auto& sprite : a.threadSprites) {
        sprite.setScale(testScale, testScale);
    }
    for (auto& sprite : a.patternSprites) {
        sprite.setScale(testScale, testScale);
    }
    loadFont(a);
}

// The parts the game-screen drawing takes, on a manual clock at 100 s.
class ViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        time.manual = true;
        time.manualSeconds = 100.0;
        fadeClock = makeStopwatch(time);
        initGameView(view, time);
        initBlink(time);
        initGameClocks(game, time);
        makeTestPictures(assets);
        gameState = Playing;
        target.create(targetWidth, targetHeight);
    }

    void TearDown() override { gameState = StartPage; }

    sf::Image drawPlayingFrame() {
        target.clear(sf::Color::Black);
        drawPlaying(target, layer, assets, view, game, audio, playerName, layout);
        target.display();
        return target.getTexture().copyToImage();
    }

    sf::Image drawGameEndFrame() {
        target.clear(sf::Color::Black);
        drawGameEnd(target, layer, assets, view, game, elapsedSeconds(fadeClock), layout);
        target.display();
        return target.getTexture().copyToImage();
    }

    static sf::Color at(const sf::Image& image, float designX, float designY) {
        const sf::Vector2i p = pixelOf(designX, designY);
        return image.getPixel(static_cast<unsigned>(p.x), static_cast<unsigned>(p.y));
    }

    // The centre of a board cell (or of the falling gem standing there).
    static sf::Color atCell(const sf::Image& image, int row, int column) {
        return at(image, static_cast<float>(columnX[static_cast<std::size_t>(column)] + 30),
                  143.0f + 60.0f * row);
    }

    void advanceSeconds(double seconds) { advance(time, seconds); }

    TimeSource time;
    Stopwatch fadeClock;
    std::unique_ptr<AssetCatalogue> catalogue = std::make_unique<AssetCatalogue>();
    AssetCatalogue& assets = *catalogue;
    GameView view;
    Game game;
    Audio audio;
    Volumes volumes;
    std::string playerName;
    Layout layout{testScale, testScale};
    sf::RenderTexture target;
    ComposedLayer layer;
};

// The game screen as the application runs it, for what the application does on that screen: button
// clicks, audio keys and requests, the end screen's update.
class PlayingAppTest : public ::testing::Test {
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
    }

    void TearDown() override { gameState = StartPage; }

    void advanceSeconds(double seconds) { advance(app->time, seconds); }

    std::unique_ptr<AppContext> app = std::make_unique<AppContext>();
};

} // namespace viewtest
