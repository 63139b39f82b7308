// Every screen with the real pictures, at 1920x1080 and at 2560x1080: the frame drawn over its composed
// still picture matches the same state drawn sprite by sprite over a cleared window, in the frames where
// a picture fades and in those where a part of the still picture has just changed.
#include "display_fixture.h"

#include <cstdlib>

namespace displaytest {
namespace {

// The largest difference of a colour channel between two frames; the window's alpha is not shown.
int largestDifference(const sf::Image& a, const sf::Image& b) {
    const sf::Uint8 *p = a.getPixelsPtr(), *q = b.getPixelsPtr();
    int largest = 0;
    for (std::size_t i = 0; i < 4u * a.getSize().x * a.getSize().y; ++i) {
        largest = std::max(largest, i % 4 == 3 ? 0 : std::abs(p[i] - q[i]));
    }
    return largest;
}

class ScreensTest : public AppTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(ScreensTest, ComposedFramesLookAsDrawnSpriteBySprite) {
    // The frame drawn after the given time against the same state drawn again part by part.
    const auto compareAfter = [this](double seconds, const std::string& screen) {
        frameAfter(seconds);
        const sf::Image composed = shot();
        app->layer.composing = false;
        frame();
        const sf::Image reference = shot();
        app->layer.composing = true;
        EXPECT_LE(largestDifference(composed, reference), 2) << screen; // 2 levels: another blending order
        const sf::Color middle = composed.getPixel(composed.getSize().x / 2, 400); // undrawn: alpha 0 as well
        EXPECT_GT(middle.r + middle.g + middle.b, 0) << screen << ": drawn";
    };
    writeFile(scoreFile, "Ann\n1450,4,3\n0,0,0\n220,1,0\n0,0,0\n0,0,0\nBob\n[LAST_PLAYER]\nAnn\n");
    start(GetParam(), 1080);
    frame();
    compareAfter(0.5, "splash fading in");
    send(key(sf::Keyboard::Space));
    runFor(2.4);
    hover(menuX, startY);
    compareAfter(0.1, "main menu, Start highlighted");
    click(menuX, settingsY);
    click(arrowX, musicUpY);
    typeText("Zo");
    compareAfter(0.1, "settings, music volume raised and a name typed");
    send(key(sf::Keyboard::Escape));
    for (const float pageY : {instructionsY, aboutY}) {
        runFor(1.3);
        click(menuX, pageY);
        compareAfter(0.1, pageY == aboutY ? "about" : "instructions");
        click(menuX, pageY);
    }
    runFor(1.3);
    click(menuX, startY);
    compareAfter(0.5, "menu fading out");
    runFor(0.6);
    ASSERT_EQ(gameState, Playing);
    // Gems from row 3 down, every fourth column filled up to row 1 (they pulse), a thread, points rising.
    Game& game = app->game;
    for (int row = 1; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            if (row >= 3 || column % 4 == 1) {
                cell(game.board, row, column) = static_cast<GemKind>(1 + (row * 5 + column * 3) % 10);
            }
        }
    }
    game.thread = Thread{Gem90, Gem80, Diamond, Empty, Empty, Empty, Empty, Empty};
    std::tie(game.popupPoints, game.popupProgress, game.popupX) = std::tuple(56, 30.0f, 750.0f);
    compareAfter(0.3, "game, Normal");
    send(key(sf::Keyboard::P));
    compareAfter(0.1, "game paused");
    send(key(sf::Keyboard::P));
    std::tie(game.score, game.bestScore, game.popupPoints) = std::tuple(300, 1450, 0);
    for (int column = 0; column < playColumns; ++column) {
        cell(game.board, 0, column) = cell(game.board, 1, column) = Gem90; // a full board ends the game
    }
    for (int i = 0; i < 60 && gameState != GameEnd; ++i) {
        runFor(0.2);
    }
    ASSERT_EQ(gameState, GameEnd);
    compareAfter(3.5, "game over with its summary");
    game.score = game.bestScore;
    compareAfter(0.1, "congratulations with its summary");
}

INSTANTIATE_TEST_SUITE_P(Widths, ScreensTest, ::testing::Values(1920u, 2560u));

} // namespace
} // namespace displaytest
