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

// Each picture is one colour, so a pixel tells which picture lies on top. Families told apart by the
// blue channel: gems by code, digits by value (plain at 40, 40; end screen at 90, 90), end messages by
// index, the game screen's buttons as music on, off, sound on, off, main menu, pause, resume, quit.
const sf::Color backdropColour(1, 2, 3), backgroundColour(10, 60, 10), casualColour(10, 60, 60),
    colorLinesColour(60, 10, 60), tubeColour(120, 120, 120), gameOverColour(150, 0, 0),
    congratulationsColour(0, 150, 0), colonColour(40, 40, 250);
inline sf::Color tone(int r, int g, int b) {
    return {static_cast<sf::Uint8>(r), static_cast<sf::Uint8>(g), static_cast<sf::Uint8>(b)};
}
inline const auto fallColour = [](int code) { return tone(200, 10 * code, 0); };
inline const auto threadColour = [](int code) { return tone(0, 200, 10 * code + 5); };
inline const auto patternColour = [](int code) { return tone(0, 100, 10 * code + 5); };
inline const auto digitColour = [](int digit) { return tone(40, 40, 100 + 10 * digit); };
inline const auto endDigitColour = [](int digit) { return tone(90, 90, 100 + 10 * digit); };
inline const auto endMessageColour = [](int index) { return tone(150, 150, 1 + index); };
inline const auto buttonColour = [](int picture) { return tone(250, 250, 1 + picture); };

inline void solid(sf::Texture& texture, unsigned width, unsigned height, sf::Color colour) {
    sf::Image image;
    image.create(width, height, colour);
    texture.loadFromImage(image);
}

// Window pixel of a design point at the test scale.
inline sf::Vector2i pixelOf(float designX, float designY) {
    return {static_cast<int>(designX * testScale), static_cast<int>(designY * testScale)};
}

// The digit a sprite shows from the set, ':' for the colon, '_' when transparent, '?' otherwise.
inline char pictureOf(const sf::Sprite& sprite, const AssetCatalogue& assets, const DigitTextureSet& set) {
    if (sprite.getColor().a == 0) {
        return '_';
    }
    for (std::size_t d = 0; d < set.size(); ++d) {
        if (sprite.getTexture() == &set[d]) {
            return static_cast<char>('0' + d);
        }
    }
    return sprite.getTexture() == &assets.colonTexture ? ':' : '?';
}
template <typename Sprites>
std::string shown(const Sprites& sprites, const AssetCatalogue& assets, const DigitTextureSet& set) {
    std::string text;
    for (const sf::Sprite& sprite : sprites) {
        text += pictureOf(sprite, assets, set);
    }
    return text;
}

// Solid-colour stand-ins for the game-screen pictures at their design places, 70-unit buttons, 24x40
// digits, 15x30 end digits and 60-unit gems.
inline void makeTestPictures(AssetCatalogue& a) {
    const struct {
        sf::Texture* texture;
        sf::Sprite* sprite;
        unsigned width, height;
        sf::Color colour;
        float x, y;
    } pictures[] = {
        {&a.natureTexture, &a.backdrop, 1920, 1080, backdropColour, 0, 0},
        {&a.backgroundTexture, &a.background, 1920, 1080, backgroundColour, 0, 0},
        {&a.backgroundCasualTexture, &a.backgroundCasual, 1920, 1080, casualColour, 0, 0},
        {&a.backgroundColorLinesTexture, &a.backgroundColorLines, 1920, 1080, colorLinesColour, 0, 0},
        {&a.trashTubeTexture, &a.trashTube, 70, 480, tubeColour, 1773, 113},
        {&a.gameOverTexture, &a.gameOverPicture, 1920, 1080, gameOverColour, 0, 0},
        {&a.congratulationsTexture, &a.congratulationsPicture, 1920, 1080, congratulationsColour, 0, 0},
    };
    for (const auto& p : pictures) {
        solid(*p.texture, p.width, p.height, p.colour);
        p.sprite->setTexture(*p.texture, true);
        placeSprite(*p.sprite, p.x, p.y, testScale, testScale);
    }
    sf::Texture* buttonPictures[] = {&a.musicOnTexture,  &a.musicOffTexture, &a.soundOnTexture,
                                     &a.soundOffTexture, &a.mainMenuTexture, &a.pauseTexture,
                                     &a.resumeTexture,   &a.quitGameTexture};
    for (int i = 0; i < 8; ++i) {
        solid(*buttonPictures[i], 70, 70, buttonColour(i));
    }
    sf::Sprite* buttons[] = {&a.musicButton, &a.soundButton, &a.mainMenuButton, &a.pauseButton,
                             &a.quitGameButton};
    const int firstPicture[] = {0, 2, 4, 5, 7}; // music on, sound on, main menu, pause, quit
    for (int i = 0; i < 5; ++i) {
        buttons[i]->setTexture(*buttonPictures[firstPicture[i]], true);
        placeSprite(*buttons[i], 1543.0f + 76 * i, 22, testScale, testScale);
    }
    for (int i = 0; i < 4; ++i) {
        solid(a.endMessageTextures[i], 530, 200, endMessageColour(i));
        a.endMessages[i].setTexture(a.endMessageTextures[i], true);
        placeSprite(a.endMessages[i], 695, 571, testScale, testScale);
    }
    for (int d = 0; d < 10; ++d) {
        solid(a.digitTextures[d], 24, 40, digitColour(d));
        solid(a.endDigitTextures[d], 15, 30, endDigitColour(d));
        solid(a.fallTextures[d], 60, 60, fallColour(d + 1));
    }
    for (int code = 0; code < 11; ++code) {
        solid(a.threadTextures[code], 60, 60, threadColour(code));
        solid(a.patternTextures[code], 60, 60, patternColour(code));
    }
    solid(a.colonTexture, 24, 40, colonColour);
    const sf::Texture* clockStart[] = {&a.digitTextures[0], &a.digitTextures[1], &a.colonTexture,
                                       &a.digitTextures[0], &a.digitTextures[0]};
    for (int i = 0; i < 5; ++i) {
        a.levelClock[i].setTexture(*clockStart[i], true);
        placeSprite(a.levelClock[i], 50.0f + 25.0f * i, 60, testScale, testScale);
    }
    for (int i = 0; i < 2; ++i) {
        placeSprite(a.levelDigits[i], 328.0f + 25.0f * i, 60, testScale, testScale);
        a.endLevelDigits[i].setTexture(a.endDigitTextures[i], true);
        placeSprite(a.endLevelDigits[i], 799.0f + 16.0f * i, 795, testScale, testScale);
    }
    refreshLevelDigits(a.levelDigits, a.digitTextures, 1);
    loadFont(a);
}

// The game screen as the application runs it, on a manual clock at 100 s with the test pictures: for
// what the application does on that screen (button clicks, audio keys and requests, the end screen).
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

// The same parts drawn by the game-screen drawing into a half-size target over a composed picture.
class ViewTest : public PlayingAppTest {
  protected:
    void SetUp() override {
        PlayingAppTest::SetUp();
        target.create(960, 540);
    }
    sf::Image drawPlayingFrame() {
        drawPlaying(target, layer, assets, view, game, audio, playerName, layout);
        target.display();
        return target.getTexture().copyToImage();
    }
    sf::Image drawGameEndFrame() {
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
                  143.0f + 60 * row);
    }

    AssetCatalogue& assets = app->assets;
    GameView& view = app->view;
    Game& game = app->game;
    Audio& audio = app->audio;
    Stopwatch& fadeClock = app->fadeClock;
    Layout& layout = app->layout;
    std::string playerName;
    sf::RenderTexture target;
    ComposedLayer layer;
};

} // namespace viewtest
