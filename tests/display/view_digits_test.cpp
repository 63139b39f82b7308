// Digit read-outs: zero padding, truncation and transparency of the rows, where each row stands, and the
// clock, level and end-count sprites.
#include "view_fixture.h"

#include <cstdlib>

namespace viewtest {
namespace {

class DigitsTest : public ViewTest {
  protected:
    std::string layOut(unsigned value, std::size_t width, DigitRow& row) {
        layoutDigits(value, row, assets.digitTextures, {10.0f, 20.0f}, 12.5f, {testScale, testScale}, width,
                     255);
        return shown(row, assets.digitTextures);
    }

    std::string clock() {
        std::string text;
        for (const sf::Sprite& sprite : assets.levelClock) {
            text += pictureOf(sprite, assets, assets.digitTextures);
        }
        return text;
    }

    std::string level() {
        std::string text;
        for (const sf::Sprite& sprite : assets.levelDigits) {
            text += pictureOf(sprite, assets, assets.digitTextures);
        }
        return text;
    }

    DigitRow row;
};

TEST_F(DigitsTest, PadsWithZerosAndKeepsTheLeftmostDigitsOfALongNumber) {
    EXPECT_EQ(layOut(0, 5, row), "00000");
    EXPECT_EQ(layOut(7, 5, row), "00007");
    EXPECT_EQ(layOut(43210, 5, row), "43210");
    EXPECT_EQ(layOut(123456, 5, row), "12345");
    EXPECT_EQ(layOut(4294967295u, 5, row), "42949");
}

TEST_F(DigitsTest, SpritesBeyondTheWidthAreTransparent) {
    EXPECT_EQ(layOut(4, 2, row), "04___");
    EXPECT_EQ(layOut(80, 2, row), "80___");
    EXPECT_EQ(layOut(2, 3, row), "002__");
    EXPECT_EQ(layOut(100, 3, row), "100__");
    EXPECT_EQ(layOut(5, 0, row), "_____");
}

TEST_F(DigitsTest, PlacesEachDigitAtTheOriginPlusItsSpacingWithScaleAndAlpha) {
    layoutDigits(90210, row, assets.digitTextures, {100.0f, 30.0f}, 12.5f, {0.75f, 0.5f}, 5, 252);
    for (std::size_t i = 0; i < row.size(); ++i) {
        EXPECT_FLOAT_EQ(row[i].getPosition().x, 100.0f + 12.5f * static_cast<float>(i)) << i;
        EXPECT_FLOAT_EQ(row[i].getPosition().y, 30.0f) << i;
        EXPECT_EQ(row[i].getScale(), sf::Vector2f(0.75f, 0.5f)) << i;
        EXPECT_EQ(row[i].getColor(), sf::Color(255, 255, 255, 252)) << i;
    }
}

TEST_F(DigitsTest, ANarrowerLayoutLeavesTheHiddenSpritesWhereTheyWere) {
    layoutDigits(12345, row, assets.digitTextures, {100.0f, 30.0f}, 10.0f, {testScale, testScale}, 5, 255);
    layoutDigits(9, row, assets.digitTextures, {300.0f, 60.0f}, 10.0f, {testScale, testScale}, 2, 255);
    EXPECT_EQ(shown(row, assets.digitTextures), "09___");
    EXPECT_EQ(row[4].getTexture(), &assets.digitTextures[5]);
    EXPECT_FLOAT_EQ(row[4].getPosition().x, 140.0f);
    EXPECT_FLOAT_EQ(row[1].getPosition().x, 310.0f);
}

TEST_F(DigitsTest, RowsDrawNothingBeforeTheirFirstLayout) {
    for (const DigitRow* fresh : {&view.scoreRow, &view.musicVolumeRow, &view.soundVolumeRow}) {
        for (const sf::Sprite& sprite : *fresh) {
            EXPECT_EQ(sprite.getTexture(), nullptr);
        }
    }
}

TEST_F(DigitsTest, PlayReadoutsStandAtTheirPlacesInTheStandardModes) {
    game.score = 7;
    game.bestScore = 123456;
    game.patternsCompleted = 12;
    layoutPlayReadouts(view, game, assets.digitTextures, layout);
    const DigitTextureSet& set = assets.digitTextures;
    EXPECT_EQ(shown(view.scoreRow, set), "00007");
    EXPECT_EQ(shown(view.bestRow, set), "12345");
    EXPECT_EQ(shown(view.patternsRow, set), "0012_");
    EXPECT_EQ(view.scoreRow[0].getPosition(), sf::Vector2f(255.0f, 30.0f));
    EXPECT_EQ(view.scoreRow[4].getPosition(), sf::Vector2f(305.0f, 30.0f));
    EXPECT_EQ(view.bestRow[0].getPosition(), sf::Vector2f(385.5f, 30.0f));
    EXPECT_EQ(view.patternsRow[0].getPosition(), sf::Vector2f(536.0f, 30.0f));
    EXPECT_EQ(view.colorLinesRow[0].getTexture(), nullptr);
}

TEST_F(DigitsTest, CasualCountStandsWhereTheClockIsAndColorLinesShowsItsOwnCount) {
    game.patternsCompleted = 3;
    game.colorLinesCount = 45;
    game.mode.gameMode = Casual;
    layoutPlayReadouts(view, game, assets.digitTextures, layout);
    EXPECT_EQ(view.patternsRow[0].getPosition(), sf::Vector2f(25.0f, 30.0f));
    EXPECT_EQ(shown(view.patternsRow, assets.digitTextures), "0003_");

    game.mode.gameMode = ColorLines;
    game.patternsCompleted = 9;
    layoutPlayReadouts(view, game, assets.digitTextures, layout);
    EXPECT_EQ(shown(view.colorLinesRow, assets.digitTextures), "0045_");
    EXPECT_EQ(view.colorLinesRow[0].getPosition(), sf::Vector2f(512.5f, 30.0f));
    EXPECT_EQ(shown(view.patternsRow, assets.digitTextures), "0003_") << "the hidden count is left alone";
}

TEST_F(DigitsTest, VolumeRowsShowTheIntegerPartInThreeDigits) {
    volumes.music = 2.0f;
    volumes.sound = 100.0f;
    layoutVolumeRows(view, volumes, assets.digitTextures, layout);
    EXPECT_EQ(shown(view.musicVolumeRow, assets.digitTextures), "002__");
    EXPECT_EQ(shown(view.soundVolumeRow, assets.digitTextures), "100__");
    EXPECT_EQ(view.musicVolumeRow[0].getPosition(), sf::Vector2f(199.0f, 216.0f));
    EXPECT_EQ(view.soundVolumeRow[2].getPosition(), sf::Vector2f(224.0f, 384.5f));

    volumes.music = 57.9f;
    volumes.sound = 0.0f;
    layoutVolumeRows(view, volumes, assets.digitTextures, layout);
    EXPECT_EQ(shown(view.musicVolumeRow, assets.digitTextures), "057__");
    EXPECT_EQ(shown(view.soundVolumeRow, assets.digitTextures), "000__");
}

TEST_F(DigitsTest, LevelClockShowsMinutesAndSeconds) {
    EXPECT_EQ(clock(), "01:00") << "start-up picture";
    game.secondsLeft = 59;
    refreshLevelClock(assets.levelClock, assets.digitTextures, game.secondsLeft);
    EXPECT_EQ(clock(), "00:59");
    game.secondsLeft = 0;
    refreshLevelClock(assets.levelClock, assets.digitTextures, game.secondsLeft);
    EXPECT_EQ(clock(), "00:00");
    game.secondsLeft = 60;
    refreshLevelClock(assets.levelClock, assets.digitTextures, game.secondsLeft);
    EXPECT_EQ(clock(), "01:00");
    game.secondsLeft = 671;
    refreshLevelClock(assets.levelClock, assets.digitTextures, game.secondsLeft);
    EXPECT_EQ(clock(), "11:11");
}

TEST_F(DigitsTest, ANewGameLeavesTheClockOnThePreviousGamesLastValue) {
    game.secondsLeft = 17;
    refreshLevelClock(assets.levelClock, assets.digitTextures, game.secondsLeft);
    game.level = 7;
    refreshLevelDigits(assets.levelDigits, assets.digitTextures, game.level);
    std::srand(5);
    startNewGame(game);
    refreshLevelDigits(assets.levelDigits, assets.digitTextures, game.level);
    EXPECT_EQ(clock(), "00:17");
    EXPECT_EQ(level(), "01");
}

TEST_F(DigitsTest, LevelDigitsShowTensAndUnits) {
    game.level = 9;
    refreshLevelDigits(assets.levelDigits, assets.digitTextures, game.level);
    EXPECT_EQ(level(), "09");
    game.level = 10;
    refreshLevelDigits(assets.levelDigits, assets.digitTextures, game.level);
    EXPECT_EQ(level(), "10");
    game.level = 60;
    refreshLevelDigits(assets.levelDigits, assets.digitTextures, game.level);
    EXPECT_EQ(level(), "60");
}

TEST_F(DigitsTest, EndCountIsTheNumberOfCompletedLevelsWithTensFromTen) {
    const struct {
        int level;
        const char* digits;
        bool tens;
    } cases[] = {{1, "00", false}, {10, "09", false}, {11, "10", true}, {60, "59", true}};
    for (const auto& c : cases) {
        game.level = c.level;
        refreshEndLevelDigits(assets.endLevelDigits, assets.endDigitTextures, game.level);
        std::string text;
        for (const sf::Sprite& sprite : assets.endLevelDigits) {
            text += pictureOf(sprite, assets, assets.endDigitTextures);
        }
        EXPECT_EQ(text, c.digits) << "level " << c.level;
        EXPECT_EQ(endLevelTensShown(c.level), c.tens) << "level " << c.level;
    }
}

} // namespace
} // namespace viewtest
