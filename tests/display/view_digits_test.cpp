// Digit read-outs: padding, truncation and transparency of a row, and the numbers the clock, level and
// volume read-outs show (where the game screen's stand is checked on its pixels).
#include "view_fixture.h"

namespace viewtest {
namespace {

using DigitsTest = ViewTest;

TEST_F(DigitsTest, ARowPadsWithZerosKeepsTheLeftmostDigitsAndHidesSpritesBeyondItsWidth) {
    const struct {
        unsigned value;
        std::size_t width;
        const char* shown;
    } cases[] = {{0, 5, "00000"},           {7, 5, "00007"}, {43210, 5, "43210"}, {123456, 5, "12345"},
                 {4294967295u, 5, "42949"}, {4, 2, "04___"}, {100, 3, "100__"},   {5, 0, "_____"}};
    DigitRow row;
    for (const auto& c : cases) {
        layoutDigits(c.value, row, assets.digitTextures, {100.0f, 30.0f}, 12.5f, {0.75f, 0.5f}, c.width, 252);
        EXPECT_EQ(shown(row, assets, assets.digitTextures), c.shown) << c.value << " in " << c.width;
    }
    EXPECT_EQ(row[4].getPosition(), sf::Vector2f(150.0f, 30.0f));
    EXPECT_EQ(row[4].getScale(), sf::Vector2f(0.75f, 0.5f));
    EXPECT_EQ(row[0].getColor(), sf::Color(255, 255, 255, 0)) << "beyond the width";
    layoutDigits(9, row, assets.digitTextures, {100.0f, 30.0f}, 12.5f, {0.75f, 0.5f}, 1, 252);
    EXPECT_EQ(row[0].getColor(), sf::Color(255, 255, 255, 252));
}

TEST_F(DigitsTest, ClockLevelAndVolumesShowTheirNumbers) {
    for (const auto& [seconds, text] :
         {std::pair{59, "00:59"}, {0, "00:00"}, {60, "01:00"}, {671, "11:11"}}) {
        refreshLevelClock(assets.levelClock, assets.digitTextures, seconds);
        EXPECT_EQ(shown(assets.levelClock, assets, assets.digitTextures), text) << seconds;
    }
    for (const auto& [level, text] : {std::pair{9, "09"}, {10, "10"}, {60, "60"}}) {
        assets.levelDigits[0].setColor(sf::Color::Transparent); // as a blink may leave it
        refreshLevelDigits(assets.levelDigits, assets.digitTextures, level);
        EXPECT_EQ(shown(assets.levelDigits, assets, assets.digitTextures), text) << level;
    }
    const struct {
        float music, sound;
        const char *musicShown, *soundShown;
    } volumes[] = {{2.0f, 100.0f, "002__", "100__"}, {57.9f, 0.0f, "057__", "000__"}};
    for (const auto& v : volumes) {
        layoutVolumeRows(view, Volumes{v.music, v.sound}, assets.digitTextures, layout);
        EXPECT_EQ(shown(view.musicVolumeRow, assets, assets.digitTextures), v.musicShown);
        EXPECT_EQ(shown(view.soundVolumeRow, assets, assets.digitTextures), v.soundShown);
    }
    EXPECT_EQ(view.musicVolumeRow[0].getPosition(), sf::Vector2f(199.0f, 216.0f)) << "design (398, 432)";
    EXPECT_EQ(view.soundVolumeRow[2].getPosition(), sf::Vector2f(224.0f, 384.5f)) << "(448, 769)";
}

} // namespace
} // namespace viewtest
