// The end screen on rendered pixels: which picture, when the summary appears, which message, the level
// count and the final score.
#include "view_fixture.h"

namespace viewtest {
namespace {

class EndScreenTest : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        gameState = GameEnd;
        game.level = 4;
        game.score = 40;
        game.bestScore = 40;
        game.boardFull = true;
        advanceSeconds(2.0); // past the picture's fade-in, which leaves the test pictures opaque
    }

    // The first frame prepares the summary; the summary shows more than 3 s later.
    sf::Image frameAfter(double seconds) {
        drawGameEndFrame();
        advanceSeconds(seconds);
        return drawGameEndFrame();
    }

    static sf::Color message(const sf::Image& frame) { return at(frame, 700, 600); }
    static sf::Color levelTens(const sf::Image& frame) { return at(frame, 799 + 7, 795 + 15); }
    static sf::Color levelUnits(const sf::Image& frame) { return at(frame, 815 + 7, 795 + 15); }
    static sf::Color scoreDigit(const sf::Image& frame, int i) {
        return at(frame, 907.0f + 16.0f * static_cast<float>(i) + 7.0f, 829 + 15);
    }
};

TEST_F(EndScreenTest, GameOverBelowTheBestCongratulationsOtherwise) {
    game.score = 39;
    EXPECT_EQ(at(drawGameEndFrame(), 100, 100), gameOverColour);
    game.score = 40;
    EXPECT_EQ(at(drawGameEndFrame(), 100, 100), congratulationsColour);
    game.score = 0;
    game.bestScore = 0;
    EXPECT_EQ(at(drawGameEndFrame(), 100, 100), congratulationsColour) << "an equal score counts as a best";
}

TEST_F(EndScreenTest, SummaryComesOnlyAfterMoreThanThreeSeconds) {
    sf::Image frame = frameAfter(3.0);
    EXPECT_EQ(message(frame), congratulationsColour);
    EXPECT_EQ(scoreDigit(frame, 3), congratulationsColour);
    advanceSeconds(0.01);
    frame = drawGameEndFrame();
    EXPECT_EQ(message(frame), endMessageColour(2));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(scoreDigit(frame, i), endDigitColour(i == 3 ? 4 : 0)) << i;
    }
}

TEST_F(EndScreenTest, TheDelayStartsWithTheFirstEndFrameNotTheLastLanding) {
    restart(game.landClock);
    advanceSeconds(10.0); // the last gem landed long ago
    EXPECT_EQ(message(drawGameEndFrame()), congratulationsColour);
    advanceSeconds(2.0);
    EXPECT_EQ(message(drawGameEndFrame()), congratulationsColour) << "later frames do not restart the delay";
    advanceSeconds(1.5);
    EXPECT_EQ(message(drawGameEndFrame()), endMessageColour(2));
}

TEST_F(EndScreenTest, AZeroScoreNeverShowsASummary) {
    game.score = 0;
    game.bestScore = 0;
    const sf::Image frame = frameAfter(20.0);
    EXPECT_EQ(message(frame), congratulationsColour);
    EXPECT_EQ(levelUnits(frame), congratulationsColour);
    EXPECT_EQ(scoreDigit(frame, 0), congratulationsColour);
}

TEST_F(EndScreenTest, MessageTellsHowTheGameEndedAndWhetherItWasTheBest) {
    const struct {
        bool timeUp;
        int best;
        int message;
        sf::Color background;
    } cases[] = {
        {true, 40, 0, congratulationsColour},
        {true, 55, 1, gameOverColour},
        {false, 40, 2, congratulationsColour},
        {false, 55, 3, gameOverColour},
    };
    for (const auto& c : cases) {
        game.timeUp = c.timeUp;
        game.boardFull = !c.timeUp;
        game.bestScore = c.best;
        game.endSummaryReady = false;
        const sf::Image frame = frameAfter(3.5);
        EXPECT_EQ(message(frame), endMessageColour(c.message)) << c.message;
        EXPECT_EQ(at(frame, 100, 100), c.background) << c.message;
    }
}

TEST_F(EndScreenTest, LevelCountFollowsABoardFullEndOnly) {
    const struct {
        int level;
        bool timeUp;
        sf::Color tens, units;
    } cases[] = {
        {1, false, congratulationsColour, endDigitColour(0)},
        {10, false, congratulationsColour, endDigitColour(9)},
        {11, false, endDigitColour(1), endDigitColour(0)},
        {60, false, endDigitColour(5), endDigitColour(9)},
        {60, true, congratulationsColour, congratulationsColour},
    };
    for (const auto& c : cases) {
        game.level = c.level;
        game.timeUp = c.timeUp;
        game.boardFull = !c.timeUp;
        game.endSummaryReady = false;
        const sf::Image frame = frameAfter(3.5);
        EXPECT_EQ(levelTens(frame), c.tens) << c.level << (c.timeUp ? " time up" : "");
        EXPECT_EQ(levelUnits(frame), c.units) << c.level << (c.timeUp ? " time up" : "");
    }
}

TEST_F(EndScreenTest, LevelCountIsTakenOncePerEndScreen) {
    game.level = 12;
    drawGameEndFrame();
    game.level = 13;
    advanceSeconds(4.0);
    const sf::Image frame = drawGameEndFrame();
    EXPECT_EQ(levelTens(frame), endDigitColour(1));
    EXPECT_EQ(levelUnits(frame), endDigitColour(1));
}

TEST_F(EndScreenTest, ASixDigitScoreShowsItsFirstFiveDigits) {
    game.score = 123456;
    game.bestScore = 123456;
    const sf::Image frame = frameAfter(3.5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(scoreDigit(frame, i), endDigitColour(i + 1)) << i;
    }
}

} // namespace
} // namespace viewtest
