// The end screen on rendered pixels: the picture's fade-in, which picture and message, the level count,
// the final score and why it was not saved, when the summary appears, and that its frame comes with it.
#include "display_fixture.h"

namespace displaytest {
namespace {

class EndScreenTest : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        gameState = GameEnd;
        advanceSeconds(2.0); // past the picture's fade-in
    }

    // The first frame starts the summary's delay; this one comes the given seconds later.
    sf::Image frameAfter(double seconds) {
        game.endSummaryReady = false;
        drawGameEndFrame();
        advanceSeconds(seconds);
        return drawGameEndFrame();
    }

    // The end digits shown in the row's places; '.' where none is.
    static std::string endDigits(const sf::Image& frame, DesignRow row, int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            const DesignPoint place = placeInRow(row, i);
            const sf::Color c = at(frame, place.x + 7, place.y + 15);
            text += c.r == 90 && c.g == 90 ? static_cast<char>('0' + (c.b - 100) / 10) : '.';
        }
        return text;
    }
    static int message(const sf::Image& frame) {
        const sf::Color c = at(frame, positions::endMessage.x + 5, positions::endMessage.y + 29);
        return c.r == 150 && c.g == 150 ? c.b - 1 : -1;
    }
};

TEST_F(EndScreenTest, PictureMessageLevelCountAndScoreFollowHowTheGameEndedAndThePictureFadesIn) {
    // Time up or board full, score, best, level; then the picture (game over or not), the message, the
    // level count and the score as shown. A zero score counts as a best and has no summary.
    const std::tuple<bool, int, int, int, bool, int, std::string, std::string> cases[] = {
        {false, 40, 40, 10, false, 2, ".9", "00040"}, {false, 40, 40, 11, false, 2, "10", "00040"},
        {false, 39, 55, 60, true, 3, "59", "00039"},  {true, 123456, 123456, 60, false, 0, "..", "12345"},
        {true, 40, 55, 60, true, 1, "..", "00040"},   {false, 0, 0, 5, false, -1, "..", "....."}};
    for (const auto& [timeUp, score, best, level, gameOver, shownMessage, levelCount, score5] : cases) {
        std::tie(game.timeUp, game.score, game.bestScore, game.level) = std::tie(timeUp, score, best, level);
        const sf::Image frame = frameAfter(3.5);
        EXPECT_EQ(
            std::tuple(at(frame, 100, 100), message(frame), endDigits(frame, positions::endLevelDigits, 2),
                       endDigits(frame, positions::endScore, 5)),
            std::tuple(gameOver ? gameOverColour : congratulationsColour, shownMessage, levelCount, score5))
            << score << "/" << best << " level " << level << (timeUp ? " time up" : " board full");
    }
    std::tie(game.score, game.bestScore, game.level) = std::tuple(40, 40, 12);
    EXPECT_EQ(message(frameAfter(3.0)), -1) << "the summary waits 3 s from the first end frame";
    game.level = 13; // the level count is the one of that first frame
    advanceSeconds(0.01);
    const sf::Image frame = drawGameEndFrame();
    EXPECT_EQ(std::pair(message(frame), endDigits(frame, positions::endLevelDigits, 2)),
              std::pair(2, std::string("11")));
    // A new end screen fades its picture in from transparent, whatever alpha the previous one left.
    std::tie(game.score, game.bestScore, game.endSummaryReady) = std::tuple(30, 31, false);
    assets.gameOverPicture.setColor(sf::Color(255, 255, 255, 252));
    restart(app->fadeClock);
    EXPECT_EQ(at(drawGameEndFrame(), 100, 100), sf::Color::Black) << "the first frame applies the fade";
    advanceSeconds(0.6);
    fadeEndPicture(assets, game, elapsedSeconds(app->fadeClock)); // as the screen's update does
    EXPECT_NEAR(at(drawGameEndFrame(), 100, 100).r, 90, 2) << "alpha 153: 60 % of the red 150, over black";
    // A result the file could not keep: a red line under the summary, once the summary shows.
    std::tie(game.score, game.bestScore) = std::pair(40, 40);
    for (const auto& [cause, seconds, shown] :
         {std::tuple("", 3.5, false), {"the disk is full", 3.0, false}, {"the disk is full", 3.5, true}}) {
        view.unsavedResultCause = cause;
        const sf::Image frame = frameAfter(seconds);
        int red = 0;
        for (float x = 700; x < 1220; x += 2) {
            red += at(frame, x, 930).r > 200 && at(frame, x, 930).g < 110;
        }
        EXPECT_EQ(red > 5, shown) << cause << " " << seconds;
    }
}

// On the real pictures a band round the summary's place holds no frame (no gold on the night-blue ground)
// before the summary shows, and the message's border with it; the picture may draw inside the band.
TEST_F(EndScreenTest, NoFrameStandsAroundTheSummarysPlaceUntilTheSummaryShows) {
    const auto goldInBand = [](const sf::Image& frame) {
        int count = 0;
        for (float y = 541; y < 921; y += 2) {
            for (float x = 665; x < 1255; x += 2) {
                count += (x < 725 || x >= 1195 || y < 601 || y >= 861) &&
                         at(frame, x, y).r > at(frame, x, y).b + 20;
            }
        }
        return count;
    };
    const std::tuple<std::string, sf::Texture*, std::size_t> cases[] = {
        {"game_over", &assets.gameOverTexture, 3}, {"congratulations", &assets.congratulationsTexture, 2}};
    game.score = 40; // a full board: under a best of 55 game over and GO4, at a best of 40 GO3
    for (const auto& [file, texture, message] : cases) {
        game.bestScore = message == 2 ? 40 : 55;
        ASSERT_TRUE(texture->loadFromFile("assets/" + file + ".png") &&
                    assets.endMessageTextures[message].loadFromFile("assets/GO" +
                                                                    std::to_string(message + 1) + ".png"));
        assets.endMessages[message].setTexture(assets.endMessageTextures[message], true);
        EXPECT_EQ(goldInBand(frameAfter(2.9)), 0) << file;
        advanceSeconds(0.6);
        EXPECT_GT(goldInBand(drawGameEndFrame()), 1000) << file << " with the summary"; // border: 1,300
    }
}

} // namespace
} // namespace displaytest
