// Digit read-outs: laying numbers out on digit sprites and the fixed clock, level and end-count sprites.
#include "view/digits.h"

#include "view/positions.h"

#include <string>

namespace {

using namespace positions;

constexpr std::size_t scoreWidth = 5;
constexpr std::size_t countWidth = 4;
constexpr std::size_t volumeWidth = 3;
constexpr sf::Uint8 opaque = 255;

unsigned nonNegative(int value) {
    return value < 0 ? 0u : static_cast<unsigned>(value);
}

// A row of the plain digits at a design position, 25 design units between digits, opaque.
void layoutPlainRow(unsigned value, DigitRow& row, const DigitTextureSet& digits, Layout layout, float x,
                    float y, std::size_t width) {
    layoutDigits(value, row, digits, {x * layout.scaleX, y * layout.scaleY}, readoutStep * layout.scaleX,
                 {layout.scaleX, layout.scaleY}, width, opaque);
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

void layoutPlayReadouts(GameView& view, const Game& game, const DigitTextureSet& digits, Layout layout) {
    layoutPlainRow(nonNegative(game.score), view.scoreRow, digits, layout, scoreX, readoutY, scoreWidth);
    layoutPlainRow(nonNegative(game.bestScore), view.bestRow, digits, layout, bestX, readoutY, scoreWidth);
    if (game.mode.gameMode == ColorLines) {
        layoutPlainRow(nonNegative(game.colorLinesCount), view.colorLinesRow, digits, layout, colorLinesX,
                       readoutY, countWidth);
        return;
    }
    const float x = game.mode.gameMode == Casual ? casualPatternsX : patternsX;
    layoutPlainRow(nonNegative(game.patternsCompleted), view.patternsRow, digits, layout, x, readoutY,
                   countWidth);
}

void layoutVolumeRows(GameView& view, const Volumes& volumes, const DigitTextureSet& digits, Layout layout) {
    // Volumes are floats; the read-out shows their integer part.
    layoutPlainRow(static_cast<unsigned>(volumes.music), view.musicVolumeRow, digits, layout, musicVolume.x,
                   musicVolume.y, volumeWidth);
    layoutPlainRow(static_cast<unsigned>(volumes.sound), view.soundVolumeRow, digits, layout, soundVolume.x,
                   soundVolume.y, volumeWidth);
}

void refreshLevelClock(LevelClock& clock, const DigitTextureSet& digits, int secondsLeft) {
    const unsigned seconds = nonNegative(secondsLeft);
    const unsigned minutes = seconds / 60;
    const unsigned rest = seconds % 60;
    clock[0].setTexture(digitPicture(digits, minutes / 10), true);
    clock[1].setTexture(digitPicture(digits, minutes), true);
    clock[3].setTexture(digitPicture(digits, rest / 10), true);
    clock[4].setTexture(digitPicture(digits, rest), true);
}

void refreshLevelDigits(TwoDigits& levelDigits, const DigitTextureSet& digits, int level) {
    const unsigned value = nonNegative(level);
    levelDigits[0].setTexture(digitPicture(digits, value / 10), true);
    levelDigits[1].setTexture(digitPicture(digits, value), true);
    for (sf::Sprite& digit : levelDigits) {
        digit.setColor(sf::Color::White);
    }
}

void refreshEndLevelDigits(TwoDigits& endLevelDigits, const DigitTextureSet& endDigits, int level) {
    const unsigned completed = nonNegative(level - 1);
    endLevelDigits[0].setTexture(digitPicture(endDigits, completed / 10), true);
    endLevelDigits[1].setTexture(digitPicture(endDigits, completed), true);
}

bool endLevelTensShown(int level) {
    return level - 1 >= 10;
}

void drawDigitRow(sf::RenderTarget& target, const DigitRow& row) {
    for (const sf::Sprite& sprite : row) {
        target.draw(sprite);
    }
}
