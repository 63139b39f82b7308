// Digit read-outs: laying numbers out on digit sprites and the fixed clock, level and end-count sprites.
#include "view/digits.h"

#include "app/app_context.h"

#include <string>

namespace {

constexpr float readoutY = 60.0f;
constexpr float readoutSpacing = 25.0f;
constexpr std::size_t scoreWidth = 5;
constexpr std::size_t countWidth = 4;
constexpr std::size_t volumeWidth = 3;
constexpr float scoreX = 510.0f;
constexpr float bestX = 771.0f;
constexpr float patternsX = 1072.0f;
constexpr float casualPatternsX = 50.0f;
constexpr float colorLinesX = 1025.0f;
constexpr float volumeX = 398.0f;
constexpr float musicVolumeY = 432.0f;
constexpr float soundVolumeY = 769.0f;
constexpr sf::Uint8 opaque = 255;

unsigned nonNegative(int value) {
    return value < 0 ? 0u : static_cast<unsigned>(value);
}

// A row of the plain digits at a design position, 25 design units between digits, opaque.
void layoutPlainRow(AppContext& app, unsigned value, DigitRow& row, float x, float y, std::size_t width) {
    layoutDigits(value, row, app.assets.digitTextures, {x * app.scaleX, y * app.scaleY},
                 readoutSpacing * app.scaleX, {app.scaleX, app.scaleY}, width, opaque);
}

const sf::Texture& digitPicture(const DigitTextureSet& set, unsigned value) {
    return set[value % 10];
}

} // namespace

void layoutDigits(unsigned value, DigitRow& row, const DigitTextureSet& set, sf::Vector2f origin,
                  float spacing, sf::Vector2f scale, std::size_t width, sf::Uint8 alpha) {
    std::string text = std::to_string(value);
    if (text.size() < width) {
        text.insert(0, width - text.size(), '0');
    }
    for (std::size_t i = 0; i < row.size(); ++i) {
        sf::Sprite& sprite = row[i];
        if (i >= width) {
            sprite.setColor(sf::Color(255, 255, 255, 0));
            continue;
        }
        sprite.setTexture(set[static_cast<std::size_t>(text[i] - '0')], true);
        sprite.setScale(scale);
        sprite.setPosition(origin.x + static_cast<float>(i) * spacing, origin.y);
        sprite.setColor(sf::Color(255, 255, 255, alpha));
    }
}

void layoutPlayReadouts(AppContext& app) {
    const Game& game = app.game;
    GameView& view = app.view;
    layoutPlainRow(app, nonNegative(game.score), view.scoreRow, scoreX, readoutY, scoreWidth);
    layoutPlainRow(app, nonNegative(game.bestScore), view.bestRow, bestX, readoutY, scoreWidth);
    if (game.mode.gameMode == ColorLines) {
        layoutPlainRow(app, nonNegative(game.colorLinesCount), view.colorLinesRow, colorLinesX, readoutY,
                       countWidth);
        return;
    }
    const float x = game.mode.gameMode == Casual ? casualPatternsX : patternsX;
    layoutPlainRow(app, nonNegative(game.patternsCompleted), view.patternsRow, x, readoutY, countWidth);
}

void layoutVolumeRows(AppContext& app) {
    // Volumes are floats; the read-out shows their integer part.
    layoutPlainRow(app, static_cast<unsigned>(app.musicVolume), app.view.musicVolumeRow, volumeX,
                   musicVolumeY, volumeWidth);
    layoutPlainRow(app, static_cast<unsigned>(app.soundVolume), app.view.soundVolumeRow, volumeX,
                   soundVolumeY, volumeWidth);
}

void refreshLevelClock(AppContext& app) {
    const unsigned seconds = nonNegative(app.game.secondsLeft);
    const unsigned minutes = seconds / 60;
    const unsigned rest = seconds % 60;
    const DigitTextureSet& set = app.assets.digitTextures;
    auto& clock = app.assets.levelClock; // the colon at index 2 never changes
    clock[0].setTexture(digitPicture(set, minutes / 10), true);
    clock[1].setTexture(digitPicture(set, minutes), true);
    clock[3].setTexture(digitPicture(set, rest / 10), true);
    clock[4].setTexture(digitPicture(set, rest), true);
}

void refreshLevelDigits(AppContext& app) {
    const unsigned level = nonNegative(app.game.level);
    const DigitTextureSet& set = app.assets.digitTextures;
    app.assets.levelDigits[0].setTexture(digitPicture(set, level / 10), true);
    app.assets.levelDigits[1].setTexture(digitPicture(set, level), true);
    for (sf::Sprite& digit : app.assets.levelDigits) {
        digit.setColor(sf::Color::White);
    }
}

void refreshEndLevelDigits(AppContext& app) {
    const unsigned completed = nonNegative(app.game.level - 1);
    const DigitTextureSet& set = app.assets.endDigitTextures;
    app.assets.endLevelDigits[0].setTexture(digitPicture(set, completed / 10), true);
    app.assets.endLevelDigits[1].setTexture(digitPicture(set, completed), true);
}

bool endLevelTensShown(int level) {
    return level - 1 >= 10;
}

void drawDigitRow(sf::RenderTarget& target, const DigitRow& row) {
    for (const sf::Sprite& sprite : row) {
        target.draw(sprite);
    }
}
