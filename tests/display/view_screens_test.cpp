// Every screen with the real pictures, at 1920x1080 and at 2560x1080: the frame drawn over its composed
// still picture matches the same state drawn sprite by sprite over a cleared window, in the frames where
// a picture fades and in those where a part of the still picture has just changed.
#include "display_fixture.h"

#include <cstdlib>

namespace displaytest {
namespace {

constexpr int tolerance = 2; // levels per channel, from the order of blending
constexpr float menuX = 960, startY = 420, settingsY = 557, instructionsY = 693, aboutY = 828, musicUpX = 443,
                musicUpY = 381;

// The largest difference of a colour channel between two frames; the window's alpha is not shown.
int largestDifference(const sf::Image& a, const sf::Image& b) {
    const sf::Uint8 *p = a.getPixelsPtr(), *q = b.getPixelsPtr();
    int largest = 0;
    for (std::size_t i = 0; i < 4u * a.getSize().x * a.getSize().y; ++i) {
        largest = std::max(largest, i % 4 == 3 ? 0 : std::abs(p[i] - q[i]));
    }
    return largest;
}

class ScreensTest : public AppTest, public ::testing::WithParamInterface<unsigned> {
  protected:
    // The frame drawn after the given time against the same state drawn again part by part.
    void compareAfter(double seconds, const std::string& screen) {
        frameAfter(seconds);
        const sf::Image composed = shot();
        app->layer.composing = false;
        frame();
        const sf::Image reference = shot();
        app->layer.composing = true;
        ASSERT_EQ(composed.getSize(), reference.getSize());
        EXPECT_LE(largestDifference(composed, reference), tolerance) << screen;
        sf::Image black;
        black.create(composed.getSize().x, composed.getSize().y, sf::Color::Black);
        EXPECT_GT(largestDifference(composed, black), 100) << screen << ": its picture is drawn";
    }

    // Gems from row 3 down, every fourth column filled up to row 1 (they pulse), a thread, points rising.
    void fillBoard(Game& g) {
        for (int row = 1; row < boardRows; ++row) {
            for (int column = 0; column < boardColumns; ++column) {
                if (row >= 3 || column % 4 == 1) {
                    cell(g.board, row, column) = static_cast<GemKind>(1 + (row * 5 + column * 3) % 10);
                }
            }
        }
        g.thread = Thread{Gem90, Gem80, Diamond, Empty, Empty, Empty, Empty, Empty};
        g.popupPoints = 56;
        g.popupProgress = 30.0f;
        g.popupX = 750.0f;
    }
};

TEST_P(ScreensTest, ComposedFramesLookAsDrawnSpriteBySprite) {
    writeFile(scoreFile, "Ann\n1450,4,3\n0,0,0\n220,1,0\n0,0,0\n0,0,0\nBob\n[LAST_PLAYER]\nAnn\n");
    start(GetParam(), 1080);
    frame();
    compareAfter(0.5, "splash fading in");
    compareAfter(0.6, "splash");
    send(key(sf::Keyboard::Space));
    runFor(1.1);
    compareAfter(0.5, "menu fading in");
    compareAfter(0.8, "main menu");
    hover(menuX, startY);
    compareAfter(0.1, "Start highlighted");
    click(menuX, settingsY);
    compareAfter(0.1, "settings");
    click(musicUpX, musicUpY);
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
    fillBoard(app->game);
    compareAfter(0.3, "game, Normal");
    send(key(sf::Keyboard::M));
    compareAfter(0.1, "game, music switched off");
    send(key(sf::Keyboard::P));
    compareAfter(0.1, "game paused");
    send(key(sf::Keyboard::P));
    Game& game = app->game;
    game.score = 300;
    game.bestScore = 1450;
    game.popupPoints = 0;
    for (int column = 0; column < playColumns; ++column) {
        cell(game.board, 0, column) = cell(game.board, 1, column) = Gem90; // a full board ends the game
    }
    for (int i = 0; i < 60 && gameState != GameEnd; ++i) {
        runFor(0.2);
    }
    ASSERT_EQ(gameState, GameEnd);
    compareAfter(0.5, "game over fading in");
    compareAfter(3.0, "game over with its summary");
    game.score = game.bestScore;
    compareAfter(0.1, "congratulations with its summary");
}

INSTANTIATE_TEST_SUITE_P(Widths, ScreensTest, ::testing::Values(1920u, 2560u));

} // namespace
} // namespace displaytest
