// Timed effects on the manual clock: the shared blink, the rising points and the warning pulse of nearly
// full columns.
#include "display_fixture.h"

namespace displaytest {
namespace {

const sf::Color opaque = sf::Color::White, clear(255, 255, 255, 0);

class EffectsTest : public ViewTest {
  protected:
    sf::Color blinkColour(sf::Sprite& sprite, bool mayStop) {
        blinkDraw(sprite, target, mayStop);
        return sprite.getColor();
    }
};

TEST_F(EffectsTest, BlinkShowsAQuarterSecondAndHidesAQuarterUntilACallThatMayStopEndsItFromOnePointFive) {
    sf::Sprite &tens = assets.levelDigits[0], &units = assets.levelDigits[1];
    startBlink();
    // After each step: the tens (drawn by a call that may not stop), the units (by one that may), running.
    // Once stopped, the blink leaves the colours alone, even in a phase that would show them.
    const std::tuple<double, sf::Color, sf::Color, bool> frames[] = {
        {0.1, opaque, opaque, true}, {0.2, clear, clear, true},   {0.3, opaque, opaque, true},
        {0.7, clear, clear, true},   {0.5, clear, opaque, false}, {1.3, clear, opaque, false}};
    for (const auto& [step, tensColour, unitsColour, running] : frames) {
        advanceSeconds(step);
        const sf::Color tensSeen = blinkColour(tens, false), unitsSeen = blinkColour(units, true);
        EXPECT_EQ(std::tuple(tensSeen, unitsSeen, blinkActive()),
                  std::tuple(tensColour, unitsColour, running))
            << step;
    }
    startBlink(); // restarting the phase; a call that may not stop goes on blinking: the name prompt
    advanceSeconds(5.45);
    EXPECT_EQ(blinkColour(assets.enterYourName, false), clear);
}

TEST_F(EffectsTest, PointsRiseFromTheirColumnFadingAndTheWarningPulseSwellsColumnsFilledFromRowOne) {
    game.popupPoints = 4;
    game.popupX = 750;       // column 4
    game.popupProgress = 99; // one unit a step from 500: at the top of its rise, nearly faded
    drawPlayingFrame();
    EXPECT_EQ(std::tuple(shown(view.popupRow, assets, assets.digitTextures), view.popupRow[1].getPosition(),
                         view.popupRow[0].getColor().a),
              std::tuple("04___", sf::Vector2f(750 * testScale + 5 + 20 * testScale, 401 * testScale), 2));
    for (int column = 0; column < 13; ++column) {
        cell(game.board, 1, column) = cell(game.board, 2, column) = static_cast<GemKind>(column % 8 + 1);
    }
    cell(game.board, 1, 5) = cell(game.board, 2, 6) = Empty;
    game.mode.gameMode = ColorLines; // no tube picture over column 12
    // 1.0 + 0.2 |sin(pi t)|: beyond the cell's margin only well away from whole seconds.
    for (const auto& [after, swollen] : {std::pair{0.0, "............."}, {0.5, "01234..70123."}}) {
        advanceSeconds(after);
        const sf::Image frame = drawPlayingFrame();
        std::string seen;
        for (int column = 0; column < 13; ++column) {
            // Just left of the row-1 cell: covered only by a gem swollen beyond its cell.
            const sf::Color c =
                at(frame, static_cast<float>(columnX[static_cast<std::size_t>(column)] - 4), 203);
            seen += c == colorLinesColour ? '.' : static_cast<char>('0' + (c.g / 10 - 1));
        }
        EXPECT_EQ(seen, swollen) << "none in 5 and 6, not filled from row 1, nor in the tube";
    }
}

} // namespace
} // namespace displaytest
