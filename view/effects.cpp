// Blink, rising points, end fade and warning pulse.
#include "view/effects.h"

#include "game/rules.h"
#include "view/digits.h"
#include "view/positions.h"

#include <algorithm>
#include <cmath>

namespace {

// The blink is one of the program's two program-wide values: the game screen and the settings page
// share its phase.
bool blinkRunning = false;
Stopwatch blinkClock;

constexpr float blinkEnd = 1.5f;
constexpr float blinkPhasesPerSecond = 4.0f;
const sf::Color visible(255, 255, 255, 255);
const sf::Color invisible(255, 255, 255, 0);

constexpr float popupShift = 5.0f; // window pixels, added after scaling
constexpr std::size_t popupWidth = 2;
constexpr float popupSteps = 100.0f;

constexpr int pulseRow = 1;
constexpr float pulseGrowth = 0.2f;
constexpr float pi = 3.14159265358979f;

constexpr float fadeSeconds = 1.0f;

} // namespace

sf::Uint8 screenFadeAlpha(float t, bool fadingIn) {
    const float done = std::min(t, fadeSeconds);
    const float share = (fadingIn ? done : fadeSeconds - done) / fadeSeconds;
    return static_cast<sf::Uint8>(255.0f * share);
}

void initBlink(const TimeSource& time) {
    blinkRunning = false;
    blinkClock = makeStopwatch(time);
}

void startBlink() {
    blinkRunning = true;
    restart(blinkClock);
}

void stopBlink() {
    blinkRunning = false;
}

bool blinkActive() {
    return blinkRunning;
}

bool blinkPhaseShown() {
    return static_cast<int>(elapsedSeconds(blinkClock) * blinkPhasesPerSecond) % 2 == 0;
}

void blinkDraw(sf::Sprite& sprite, sf::RenderTarget& target, bool mayStop) {
    if (!blinkRunning) {
        target.draw(sprite);
        return;
    }
    const float t = elapsedSeconds(blinkClock);
    if (t >= blinkEnd && mayStop) {
        blinkRunning = false;
        sprite.setColor(visible);
        target.draw(sprite);
        return;
    }
    sprite.setColor(blinkPhaseShown() ? visible : invisible);
    target.draw(sprite);
}

void layoutPopup(DigitRow& popupRow, const Game& game, const DigitTextureSet& digits, Layout layout) {
    const float progress = std::min(std::max(game.popupProgress, 0.0f), popupSteps);
    const sf::Vector2f origin(game.popupX * layout.scaleX + popupShift,
                              (positions::popupBaseY - progress) * layout.scaleY);
    const auto alpha = static_cast<sf::Uint8>((1.0f - progress / popupSteps) * 255.0f);
    const unsigned points = game.popupPoints < 0 ? 0u : static_cast<unsigned>(game.popupPoints);
    layoutDigits(points, popupRow, digits, origin, positions::popupStep * layout.scaleX,
                 {layout.scaleX, layout.scaleY}, popupWidth, alpha);
}

void drawWarningPulse(sf::RenderTarget& target, const Game& game, const FallTextureSet& gems,
                      float pulseSeconds, Layout layout) {
    if (game.boardFull || game.timeUp) {
        return;
    }
    const float factor = 1.0f + pulseGrowth * std::fabs(std::sin(pi * pulseSeconds));
    for (int column = 0; column < trashColumn; ++column) {
        if (!columnNearlyFull(game, column)) {
            continue;
        }
        const int code = cell(game.board, pulseRow, column);
        const sf::Texture& texture = gems[static_cast<std::size_t>(code - 1)];
        sf::Sprite pulse(texture);
        const sf::Vector2u size = texture.getSize();
        pulse.setOrigin(0.5f * static_cast<float>(size.x), 0.5f * static_cast<float>(size.y));
        pulse.setScale(layout.scaleX * factor, layout.scaleY * factor);
        pulse.setPosition(
            (static_cast<float>(columnX[static_cast<std::size_t>(column)]) + positions::pulseCentreOffset) *
                layout.scaleX,
            positions::pulseCentreY * layout.scaleY);
        target.draw(pulse);
    }
}

sf::Sprite& endPicture(AssetCatalogue& assets, const Game& game) {
    return game.score < game.bestScore ? assets.gameOverPicture : assets.congratulationsPicture;
}

void fadeEndPicture(AssetCatalogue& assets, const Game& game, float secondsIn) {
    // Like the other screen fades, a late frame (a slow high-score write, a busy machine) still ends the
    // fade opaque instead of leaving the picture at whatever alpha the last frame before 1 s gave it.
    endPicture(assets, game).setColor(sf::Color(255, 255, 255, screenFadeAlpha(secondsIn, true)));
}
