// The game screen on rendered pixels: what each mode shows, where gems stand, and which picture lies on
// top where two overlap.
#include "view_fixture.h"

namespace viewtest {
namespace {

class GameScreenTest : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        game.board = Board{};
        game.thread.fill(Empty);
        game.pattern = Pattern{Gem90, Gem80, Gem70, Gem60, Gem50, Gem40, Gem30, Gem20};
        game.fallRow = 2;
        game.fallColumn = 3;
        game.fallKind = 1;
        game.gemActive = true;
        game.score = 42;
        game.bestScore = 900;
        playerName = "Tavrello";
        refreshLevelDigits(assets.levelDigits, assets.digitTextures, game.level);
        layoutPlayReadouts(view, game, assets.digitTextures, layout);
    }

    void setMode(GameMode mode) {
        game.mode.gameMode = mode;
        layoutPlayReadouts(view, game, assets.digitTextures, layout);
    }

    // Mean x of the white text pixels in the top strip, in window pixels; -1 when there are none.
    static double whiteCentreX(const sf::Image& frame) {
        double sum = 0.0;
        int count = 0;
        for (unsigned y = 15; y < 50; ++y) {
            for (unsigned x = 0; x < targetWidth; ++x) {
                if (frame.getPixel(x, y) == sf::Color::White) {
                    sum += x;
                    ++count;
                }
            }
        }
        return count == 0 ? -1.0 : sum / count;
    }

    // Centre of a read-out digit whose left edge stands at design x, at the read-out line.
    static sf::Color readout(const sf::Image& frame, float x) { return at(frame, x + 12, 80); }
};

TEST_F(GameScreenTest, StandardModeShowsHeaderReadoutsButtonsPatternThreadAndTube) {
    const sf::Image frame = drawPlayingFrame();
    EXPECT_EQ(at(frame, 1500, 1050), backgroundColour) << "the background covers the backdrop";
    EXPECT_EQ(readout(frame, 50), digitColour(0)) << "clock 01:00";
    EXPECT_EQ(readout(frame, 75), digitColour(1));
    EXPECT_EQ(readout(frame, 100), colonColour);
    EXPECT_EQ(readout(frame, 328), digitColour(0)) << "level 01";
    EXPECT_EQ(readout(frame, 353), digitColour(1));
    EXPECT_EQ(readout(frame, 510 + 75), digitColour(4)) << "score 00042";
    EXPECT_EQ(readout(frame, 510 + 100), digitColour(2));
    EXPECT_EQ(readout(frame, 771 + 50), digitColour(9)) << "best 00900";
    EXPECT_EQ(readout(frame, 1072 + 75), digitColour(0)) << "patterns 0000";
    EXPECT_EQ(readout(frame, 1072 + 100), backgroundColour) << "a four-digit row hides its fifth sprite";
    EXPECT_EQ(at(frame, 1543 + 35, 57), musicOnColour);
    EXPECT_EQ(at(frame, 1619 + 35, 57), soundOnColour);
    EXPECT_EQ(at(frame, 1695 + 35, 57), mainMenuColour);
    EXPECT_EQ(at(frame, 1771 + 35, 57), pauseColour);
    EXPECT_EQ(at(frame, 1847 + 35, 57), quitColour);
    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(at(frame, 90, 143.0f + 60.0f * slot), patternColour(slot + 1)) << slot;
        EXPECT_EQ(at(frame, 1020, 625.0f + 60.0f * slot), threadColour(Empty)) << slot;
    }
    EXPECT_EQ(at(frame, 1800, 300), tubeColour);
    EXPECT_NEAR(whiteCentreX(frame), 1368 * testScale, 4.0);
}

TEST_F(GameScreenTest, CasualShowsNoNameClockLevelScoreOrBestAndMovesTheCount) {
    game.patternsCompleted = 7;
    setMode(Casual);
    const sf::Image frame = drawPlayingFrame();
    EXPECT_EQ(at(frame, 1500, 1050), casualColour);
    EXPECT_EQ(readout(frame, 50 + 75), digitColour(7)) << "the count stands where the clock stands elsewhere";
    EXPECT_EQ(readout(frame, 50 + 50), digitColour(0)) << "not the clock's colon";
    EXPECT_EQ(readout(frame, 328), casualColour);
    EXPECT_EQ(readout(frame, 353), casualColour);
    EXPECT_EQ(readout(frame, 510 + 75), casualColour);
    EXPECT_EQ(readout(frame, 771 + 50), casualColour);
    EXPECT_EQ(readout(frame, 1072 + 75), casualColour) << "nothing left at the standard count's place";
    EXPECT_EQ(whiteCentreX(frame), -1.0);
    EXPECT_EQ(at(frame, 1771 + 35, 57), pauseColour);
    EXPECT_EQ(at(frame, 90, 143), patternColour(Gem90));
    EXPECT_EQ(at(frame, 1800, 300), tubeColour);
}

TEST_F(GameScreenTest, ColorLinesHasNoPatternNorTubeAndCentresTheNameFurtherLeft) {
    game.colorLinesCount = 3;
    setMode(ColorLines);
    cell(game.board, 4, 12) = Gem50;
    const sf::Image frame = drawPlayingFrame();
    EXPECT_EQ(at(frame, 90, 143), colorLinesColour);
    EXPECT_EQ(at(frame, 1800, 300), colorLinesColour);
    EXPECT_EQ(at(frame, 1777 + 30, 113 + 240 + 30), fallColour(Gem50)) << "tube cells stand at x 1777";
    EXPECT_EQ(readout(frame, 1025 + 75), digitColour(3));
    EXPECT_EQ(readout(frame, 1072 + 75), colorLinesColour) << "the pattern count is not drawn";
    EXPECT_EQ(readout(frame, 510 + 75), digitColour(4));
    EXPECT_NEAR(whiteCentreX(frame), 1282 * testScale, 4.0);
}

TEST_F(GameScreenTest, BoardCellsUseTheKindPicturesAndCoverTheFallingGem) {
    cell(game.board, 7, 0) = Gem90;
    cell(game.board, 0, 11) = Diamond;
    cell(game.board, 5, 6) = Trash;
    game.fallRow = 5;
    game.fallColumn = 6;
    game.fallKind = 0;
    sf::Image frame = drawPlayingFrame();
    EXPECT_EQ(atCell(frame, 7, 0), fallColour(Gem90));
    EXPECT_EQ(atCell(frame, 0, 11), fallColour(Diamond));
    EXPECT_EQ(atCell(frame, 5, 6), fallColour(Trash)) << "the board is drawn after the falling gem";
    game.fallRow = 4;
    frame = drawPlayingFrame();
    EXPECT_EQ(atCell(frame, 4, 6), fallColour(Gem90));
    EXPECT_EQ(atCell(frame, 3, 6), backgroundColour);
}

TEST_F(GameScreenTest, TheTubePictureCoversTheTubeCells) {
    cell(game.board, 4, 12) = Gem50;
    const sf::Image frame = drawPlayingFrame();
    EXPECT_EQ(at(frame, 1777 + 30, 113 + 240 + 30), tubeColour);
}

TEST_F(GameScreenTest, FallingGemShowsWhileActiveOrPaused) {
    EXPECT_EQ(atCell(drawPlayingFrame(), 2, 3), fallColour(Gem80));
    game.gemActive = false;
    EXPECT_EQ(atCell(drawPlayingFrame(), 2, 3), backgroundColour) << "landed, waiting for the next gem";
    game.paused = true;
    EXPECT_EQ(atCell(drawPlayingFrame(), 2, 3), fallColour(Gem80));
}

TEST_F(GameScreenTest, ThreadHangsUnderTheCursorColumnWithTheCodePictures) {
    game.thread = Thread{Diamond, Gem20, Trash, Empty, Empty, Empty, Empty, Empty};
    game.cursorColumn = 12;
    sf::Image frame = drawPlayingFrame();
    EXPECT_EQ(at(frame, 1777 + 30, 625), threadColour(Diamond));
    EXPECT_EQ(at(frame, 1777 + 30, 685), threadColour(Gem20));
    EXPECT_EQ(at(frame, 1777 + 30, 745), threadColour(Trash));
    EXPECT_EQ(at(frame, 1777 + 30, 985), threadColour(Empty));
    EXPECT_EQ(at(frame, 1020, 625), backgroundColour);
    game.cursorColumn = 0;
    frame = drawPlayingFrame();
    EXPECT_EQ(at(frame, 300, 625), threadColour(Diamond));
}

TEST_F(GameScreenTest, ButtonPicturesFollowTheSwitchesAndThePlayersPause) {
    audio.musicEnabled = false;
    audio.soundEnabled = false;
    game.paused = true;
    sf::Image frame = drawPlayingFrame();
    EXPECT_EQ(at(frame, 1543 + 35, 57), musicOffColour);
    EXPECT_EQ(at(frame, 1619 + 35, 57), soundOffColour);
    EXPECT_EQ(at(frame, 1771 + 35, 57), resumeColour);
    game.boardFull = true; // the board-full stop sets paused but keeps the pause picture
    frame = drawPlayingFrame();
    EXPECT_EQ(at(frame, 1771 + 35, 57), pauseColour);
}

TEST_F(GameScreenTest, LevelDigitsBlinkOnTheGameScreen) {
    game.level = 12;
    refreshLevelDigits(assets.levelDigits, assets.digitTextures, game.level);
    startBlink();
    advanceSeconds(0.3);
    sf::Image frame = drawPlayingFrame();
    EXPECT_EQ(readout(frame, 328), backgroundColour);
    EXPECT_EQ(readout(frame, 353), backgroundColour);
    advanceSeconds(0.3);
    frame = drawPlayingFrame();
    EXPECT_EQ(readout(frame, 328), digitColour(1));
    EXPECT_EQ(readout(frame, 353), digitColour(2));
}

} // namespace
} // namespace viewtest
