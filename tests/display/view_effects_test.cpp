// Timed effects on the manual clock: the shared blink, the rising points read-out, the end picture's
// fade-in and the warning pulse of nearly full columns.
#include "view_fixture.h"

namespace viewtest {
namespace {

constexpr sf::Uint8 opaque = 255;
constexpr sf::Uint8 clear = 0;

class BlinkTest : public ViewTest {
  protected:
    sf::Uint8 blinkAlpha(sf::Sprite& sprite, bool mayStop) {
        blinkDraw(sprite, target, mayStop);
        return sprite.getColor().a;
    }

    sf::Sprite& tens() { return assets.levelDigits[0]; }
    sf::Sprite& units() { return assets.levelDigits[1]; }
};

TEST_F(BlinkTest, WithoutABlinkTheSpriteKeepsItsOwnColour) {
    tens().setColor(sf::Color(255, 255, 255, 100));
    EXPECT_EQ(blinkAlpha(tens(), true), 100);
    EXPECT_FALSE(blinkActive());
}

TEST_F(BlinkTest, AlternatesEveryQuarterSecondStartingVisible) {
    startBlink();
    const struct {
        double at;
        sf::Uint8 alpha;
    } phases[] = {{0.1, opaque}, {0.3, clear}, {0.6, opaque}, {0.8, clear}, {1.1, opaque}, {1.3, clear}};
    double now = 0.0;
    for (const auto& phase : phases) {
        advanceSeconds(phase.at - now);
        now = phase.at;
        EXPECT_EQ(blinkAlpha(units(), true), phase.alpha) << phase.at;
    }
    EXPECT_TRUE(blinkActive());
}

TEST_F(BlinkTest, TheBlinkedSpriteIsReallyDrawnOrLeftOut) {
    startBlink();
    const sf::Vector2i p = pixelOf(353 + 12, 60 + 20);
    advanceSeconds(0.3);
    target.clear(sf::Color::Black);
    blinkDraw(units(), target, true);
    target.display();
    const auto x = static_cast<unsigned>(p.x);
    const auto y = static_cast<unsigned>(p.y);
    EXPECT_EQ(target.getTexture().copyToImage().getPixel(x, y), black);
    advanceSeconds(0.3);
    target.clear(sf::Color::Black);
    blinkDraw(units(), target, true);
    target.display();
    EXPECT_EQ(target.getTexture().copyToImage().getPixel(x, y), digitColour(1));
}

TEST_F(BlinkTest, LevelDigitsEndInTheFirstFrameFromOneAndAHalfSeconds) {
    startBlink();
    advanceSeconds(1.5);
    EXPECT_EQ(blinkAlpha(tens(), false), opaque);
    EXPECT_EQ(blinkAlpha(units(), true), opaque);
    EXPECT_FALSE(blinkActive());
}

TEST_F(BlinkTest, ALateLastFrameLeavesTheTensInThatFramesPhase) {
    startBlink();
    advanceSeconds(1.8); // 7th quarter: an invisible phase
    EXPECT_EQ(blinkAlpha(tens(), false), clear);
    EXPECT_EQ(blinkAlpha(units(), true), opaque);
    EXPECT_FALSE(blinkActive());
    advanceSeconds(1.0);
    EXPECT_EQ(blinkAlpha(tens(), false), clear) << "the tens digit keeps its last colour";
    EXPECT_EQ(blinkAlpha(units(), true), opaque);
}

TEST_F(BlinkTest, OnlyACallThatMayStopEndsIt) {
    startBlink();
    advanceSeconds(5.1); // 20th quarter: visible
    EXPECT_EQ(blinkAlpha(assets.enterYourName, false), opaque);
    advanceSeconds(0.25);
    EXPECT_EQ(blinkAlpha(assets.enterYourName, false), clear);
    EXPECT_TRUE(blinkActive());
}

TEST_F(BlinkTest, StartingAgainRestartsThePhaseForEverySprite) {
    startBlink();
    advanceSeconds(1.4);
    startBlink();
    advanceSeconds(0.3);
    EXPECT_EQ(blinkAlpha(tens(), false), clear);
    EXPECT_EQ(blinkAlpha(units(), true), clear) << "1.7 s after the first start, but 0.3 s after the second";
    EXPECT_TRUE(blinkActive());
}

class PopupTest : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        game.board = Board{};
        game.gemActive = false;
    }

    // One frame of the points step as the rules run it; 0.025 s per frame gives one step per frame.
    void step(int points, double seconds) {
        advanceSeconds(seconds);
        game.pointsThisFrame = points;
        pointsStep(game, fadeClock);
    }

    const DigitRow& popup() { return view.popupRow; }
};

TEST_F(PopupTest, RisesOneUnitAStepFromTheCursorColumnAndFades) {
    game.cursorColumn = 4; // design x 750
    step(4, 0.0);
    step(0, 0.025);
    drawPlayingFrame();
    EXPECT_EQ(shown(popup(), assets.digitTextures), "04___");
    EXPECT_EQ(popup()[0].getPosition(), sf::Vector2f(750 * testScale + 5, 499 * testScale));
    EXPECT_EQ(popup()[1].getPosition().x, 750 * testScale + 5 + 20 * testScale);
    EXPECT_EQ(popup()[0].getColor().a, 252);
    for (int i = 0; i < 98; ++i) {
        step(0, 0.025);
    }
    drawPlayingFrame();
    EXPECT_EQ(popup()[0].getPosition().y, 401 * testScale);
    EXPECT_EQ(popup()[0].getColor().a, 2);
}

TEST_F(PopupTest, IsDrawnOverTheBoardUntilItsHundredthStep) {
    game.cursorColumn = 4;
    cell(game.board, 6, 4) = Gem20; // a cell the read-out passes over
    step(80, 0.0);
    for (int i = 0; i < 9; ++i) {
        step(0, 0.025);
    }
    // Progress 9: the first digit's top edge is at design y 491, its left edge at 760.
    sf::Image frame = drawPlayingFrame();
    const sf::Color first = at(frame, 770, 500);
    EXPECT_GT(first.b, 150) << "mostly the digit (blue 180), not the gem (blue 0)";
    EXPECT_GT(first.r, digitColour(8).r) << "a fading digit lets the gem under it show through";
    for (int i = 0; i < 91; ++i) {
        step(0, 0.025);
    }
    EXPECT_EQ(game.popupPoints, 0);
    frame = drawPlayingFrame();
    EXPECT_EQ(at(frame, 770, 500), fallColour(Gem20));
}

TEST_F(PopupTest, NewPointsReplaceTheRisingValueAtTheNewColumn) {
    game.cursorColumn = 4;
    step(4, 0.0);
    for (int i = 0; i < 30; ++i) {
        step(0, 0.025);
    }
    game.cursorColumn = 1; // design x 390
    step(80, 0.01);
    step(0, 0.025);
    drawPlayingFrame();
    EXPECT_EQ(shown(popup(), assets.digitTextures), "80___");
    EXPECT_EQ(popup()[0].getPosition(), sf::Vector2f(390 * testScale + 5, 499 * testScale));
    EXPECT_EQ(popup()[0].getColor().a, 252);
}

class EndFadeTest : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        gameState = GameEnd;
        assets.gameOverPicture.setColor(sf::Color(255, 255, 255, 0));
        assets.congratulationsPicture.setColor(sf::Color(255, 255, 255, 0));
        restart(fadeClock);
    }

    sf::Uint8 alphaAfter(double seconds, const sf::Sprite& picture) {
        advanceSeconds(seconds);
        fadeEndPicture(assets, game, elapsedSeconds(fadeClock));
        return picture.getColor().a;
    }
};

TEST_F(EndFadeTest, GameOverFadesInOverOneSecondAndEndsOpaque) {
    game.score = 30;
    game.bestScore = 31;
    const sf::Sprite& picture = assets.gameOverPicture;
    EXPECT_EQ(alphaAfter(0.0, picture), 0);
    EXPECT_EQ(alphaAfter(0.5, picture), 127);
    EXPECT_EQ(alphaAfter(0.49, picture), 252);
    EXPECT_EQ(alphaAfter(0.3, picture), 255);
    EXPECT_EQ(alphaAfter(10.0, picture), 255);
    EXPECT_EQ(assets.congratulationsPicture.getColor().a, 0) << "the other picture is left alone";
}

TEST_F(EndFadeTest, AFirstFrameLaterThanTheFadeStillShowsThePicture) {
    game.score = 30;
    game.bestScore = 31;
    advanceSeconds(1.7); // the frame that entered the end screen also rewrote the high-score file
    EXPECT_EQ(at(drawGameEndFrame(), 100, 100), gameOverColour);
}

TEST_F(EndFadeTest, TheFirstFrameStartsTransparentWhateverThePreviousEndScreenLeft) {
    game.score = 10;
    game.bestScore = 20;
    assets.gameOverPicture.setColor(sf::Color(255, 255, 255, 252));
    EXPECT_EQ(at(drawGameEndFrame(), 100, 100), black);
    advanceSeconds(0.6);
    fadeEndPicture(assets, game, elapsedSeconds(fadeClock));
    const sf::Color half = at(drawGameEndFrame(), 100, 100);
    EXPECT_GT(half.r, 60);
    EXPECT_LT(half.r, 120) << "about 60 % of the picture's red 150";
}

TEST_F(EndFadeTest, ABestScoreZeroIncludedFadesTheCongratulations) {
    game.score = 0;
    game.bestScore = 0;
    EXPECT_EQ(alphaAfter(0.25, assets.congratulationsPicture), 63);
    EXPECT_EQ(assets.gameOverPicture.getColor().a, 0);
}

class PulseTest : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        game.board = Board{};
        game.gemActive = false;
        game.pattern.fill(Empty);
        game.thread.fill(Empty);
    }

    // A point just left of the row-1 cell: covered only by a gem swollen beyond its cell.
    sf::Color besideRowOne(const sf::Image& frame, int column) {
        return at(frame, static_cast<float>(columnX[static_cast<std::size_t>(column)] - 4), 203);
    }

    void fill(int column, GemKind rowOne, GemKind rowTwo) {
        cell(game.board, 1, column) = rowOne;
        cell(game.board, 2, column) = rowTwo;
    }
};

TEST_F(PulseTest, EveryPlayColumnFilledFromRowOneSwellsWithTheRowOneGem) {
    for (int column = 0; column < 12; ++column) {
        fill(column, static_cast<GemKind>(column % 8 + 1), Trash);
    }
    advanceSeconds(0.5); // the largest swell, 1.2 times
    const sf::Image frame = drawPlayingFrame();
    for (int column = 0; column < 12; ++column) {
        EXPECT_EQ(besideRowOne(frame, column), fallColour(column % 8 + 1)) << column;
    }
}

TEST_F(PulseTest, SwellsAndShrinksOncePerSecond) {
    fill(3, Gem60, Gem20);
    advanceSeconds(1.0); // back to its own size
    EXPECT_EQ(besideRowOne(drawPlayingFrame(), 3), backgroundColour);
    advanceSeconds(0.5);
    EXPECT_EQ(besideRowOne(drawPlayingFrame(), 3), fallColour(Gem60));
    advanceSeconds(0.45); // 1.0 + 0.2 * sin(0.05 pi) is about 1.03: still inside the cell's margin
    EXPECT_EQ(besideRowOne(drawPlayingFrame(), 3), backgroundColour);
}

TEST_F(PulseTest, NeedsBothRowsAndStopsTheFrameTheRowOneGemLeaves) {
    advanceSeconds(0.5);
    fill(5, Gem90, Empty);
    EXPECT_EQ(besideRowOne(drawPlayingFrame(), 5), backgroundColour);
    fill(5, Empty, Gem90);
    EXPECT_EQ(besideRowOne(drawPlayingFrame(), 5), backgroundColour);
    fill(5, Gem90, Gem90);
    EXPECT_EQ(besideRowOne(drawPlayingFrame(), 5), fallColour(Gem90));
    cell(game.board, 1, 5) = Empty;
    EXPECT_EQ(besideRowOne(drawPlayingFrame(), 5), backgroundColour);
}

TEST_F(PulseTest, NeverInTheTubeNorAfterTheGameEnded) {
    game.mode.gameMode = ColorLines; // no tube picture over column 12
    advanceSeconds(0.5);
    fill(12, Gem70, Gem70);
    fill(0, Gem70, Gem70);
    sf::Image frame = drawPlayingFrame();
    EXPECT_EQ(besideRowOne(frame, 12), colorLinesColour);
    EXPECT_EQ(besideRowOne(frame, 0), fallColour(Gem70));
    game.boardFull = true;
    EXPECT_EQ(besideRowOne(drawPlayingFrame(), 0), colorLinesColour);
    game.boardFull = false;
    game.timeUp = true;
    EXPECT_EQ(besideRowOne(drawPlayingFrame(), 0), colorLinesColour);
}

} // namespace
} // namespace viewtest
