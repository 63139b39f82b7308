// The game screen on rendered pixels: what each mode shows and where, the parts that follow the game from
// frame to frame (board, falling gem, thread, button pictures), and the digit read-outs' numbers.
#include "display_fixture.h"

namespace displaytest {
namespace {

class GameScreenTest : public ViewTest {
  protected:
    sf::Image drawMode(GameMode mode) {
        game.mode.gameMode = mode;
        layoutPlayReadouts(view, game, assets.digitTextures, app->layout);
        return drawPlayingFrame();
    }

    // The digits shown on the read-out line from design x on, 25 apart: ':' the colon, '.' none.
    static std::string readout(const sf::Image& frame, float x, int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            const sf::Color c = at(frame, x + 12 + 25.0f * i, 80);
            const bool digit = c.r == 40 && c.g == 40 && c.b >= 100 && c.b <= 190 && c.b % 10 == 0;
            text += c == colonColour ? ':' : digit ? static_cast<char>('0' + (c.b - 100) / 10) : '.';
        }
        return text;
    }

    // The five buttons: M/m music on/off, S/s sound on/off, H main menu, P pause, R resume, Q quit.
    static std::string buttons(const sf::Image& frame) {
        std::string text;
        for (int i = 0; i < 5; ++i) {
            const sf::Color c = at(frame, 1578.0f + 76 * i, 57);
            text += c.r == 250 && c.b >= 1 && c.b <= 8 ? "MmSsHPRQ"[c.b - 1] : '.';
        }
        return text;
    }
};

TEST_F(GameScreenTest, EachModeShowsItsPartsWhereTheyBelongAndTheDigitsShowTheirNumbers) {
    game.pattern = Pattern{Gem90, Gem80, Gem70, Gem60, Gem50, Gem40, Gem30, Gem20};
    std::tie(game.score, game.bestScore, game.patternsCompleted, game.colorLinesCount) =
        std::tuple(42, 900, 7, 3);
    // The read-outs at the clock (x 50), level (328), score (510), best (771) and count (1025 and 1072),
    // then whether the pattern and the tube are shown.
    const std::tuple<GameMode, sf::Color, const char*, bool> modes[] = {
        {Normal, backgroundColour, "01:00 01 00042 00900 ..000 0007.", true},
        {Casual, casualColour, "0007. .. ..... ..... ..... .....", true},
        {ColorLines, colorLinesColour, "01:00 01 00042 00900 0003. 03...", false},
    };
    for (const auto& [mode, background, readouts, patternAndTube] : modes) {
        const sf::Image frame = drawMode(mode);
        EXPECT_EQ(at(frame, 1500, 1050), background) << mode << ": it covers the backdrop";
        using namespace positions;
        EXPECT_EQ(readout(frame, levelClock.first.x, 5) + " " + readout(frame, levelDigits.first.x, 2) + " " +
                      readout(frame, scoreX, 5) + " " + readout(frame, bestX, 5) + " " +
                      readout(frame, colorLinesX, 5) + " " + readout(frame, patternsX, 5),
                  readouts);
        EXPECT_EQ(buttons(frame), "MSHPQ") << mode;
        for (int slot = 0; slot < 8; ++slot) {
            const sf::Color pattern = patternAndTube ? patternColour(slot + 1) : background;
            EXPECT_EQ(at(frame, patternX + 30, boardTopY + 30 + 60 * slot), pattern)
                << mode << " pattern slot " << slot;
        }
        EXPECT_EQ(at(frame, 1800, 300), patternAndTube ? tubeColour : background) << mode;
    }
    refreshLevelClock(assets.levelClock, assets.digitTextures, 671);
    assets.levelDigits[0].setColor(sf::Color::Transparent); // as a blink may leave it
    refreshLevelDigits(assets.levelDigits, assets.digitTextures, 10);
    layoutVolumeRows(view, Volumes{57.9f, 100.0f}, assets.digitTextures, app->layout);
    EXPECT_EQ(shown(assets.levelClock, assets, assets.digitTextures) +
                  shown(assets.levelDigits, assets, assets.digitTextures) +
                  shown(view.musicVolumeRow, assets, assets.digitTextures) +
                  shown(view.soundVolumeRow, assets, assets.digitTextures),
              "11:1110057__100__");
}

TEST_F(GameScreenTest, BoardThreadFallingGemAndButtonsFollowTheGame) {
    game.fallKind = 1;
    cell(game.board, 7, 0) = Gem90;
    cell(game.board, 0, 11) = Diamond;
    cell(game.board, 5, 6) = Trash;
    cell(game.board, 4, 12) = Gem50;
    game.thread = Thread{Diamond, Gem20, Trash, Empty, Empty, Empty, Empty, Empty};
    std::tie(game.fallRow, game.fallColumn, game.cursorColumn) = std::tuple(5, 6, 12);
    sf::Image frame = drawMode(Normal);
    // The board is drawn after the falling gem (at 5, 6); the tube over column 12.
    EXPECT_EQ(
        std::tuple(atCell(frame, 7, 0), atCell(frame, 0, 11), atCell(frame, 5, 6), atCell(frame, 4, 12)),
        std::tuple(fallColour(Gem90), fallColour(Diamond), fallColour(Trash), tubeColour));
    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(at(frame, 1807, 625.0f + 60 * slot), threadColour(game.thread[slot])) << "under column 12";
    }
    EXPECT_EQ(at(frame, 1020, 625), backgroundColour) << "not under the start column";
    std::tie(game.fallRow, game.cursorColumn) = std::pair(4, 0);
    frame = drawMode(ColorLines);
    EXPECT_EQ(atCell(frame, 4, 6), fallColour(Gem80)) << "the falling gem, kind index 1";
    EXPECT_EQ(atCell(frame, 4, 12), fallColour(Gem50)) << "no tube over column 12 in ColorLines";
    EXPECT_EQ(at(frame, 300, 685), threadColour(Gem20)) << "under column 0";
    game.gemActive = false;
    EXPECT_EQ(atCell(drawPlayingFrame(), 4, 6), colorLinesColour) << "landed, waiting for the next gem";
    app->audio.musicEnabled = app->audio.soundEnabled = false;
    game.paused = true;
    frame = drawPlayingFrame();
    EXPECT_EQ(atCell(frame, 4, 6), fallColour(Gem80)) << "shown while paused";
    EXPECT_EQ(buttons(frame), "msHRQ");
    game.boardFull = true; // the board-full stop sets paused but keeps the pause picture
    app->audio.soundEnabled = true;
    EXPECT_EQ(buttons(drawPlayingFrame()), "mSHPQ");
}

} // namespace
} // namespace displaytest
