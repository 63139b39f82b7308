// The game screen on rendered pixels: what each mode shows and where, and the parts that follow the game
// from frame to frame (board, falling gem, thread, button pictures).
#include "view_fixture.h"

namespace viewtest {
namespace {

class GameScreenTest : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        game.pattern = Pattern{Gem90, Gem80, Gem70, Gem60, Gem50, Gem40, Gem30, Gem20};
        game.fallRow = 2;
        game.fallColumn = 3;
        game.fallKind = 1;
        game.gemActive = true;
        game.score = 42;
        game.bestScore = 900;
        game.patternsCompleted = 7;
        game.colorLinesCount = 3;
        playerName = "Tavrello";
    }

    sf::Image drawMode(GameMode mode) {
        game.mode.gameMode = mode;
        layoutPlayReadouts(view, game, assets.digitTextures, layout);
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

    // Mean x of the white text pixels in the top strip, in design units; -1 when there are none.
    static double nameCentre(const sf::Image& frame) {
        double sum = 0.0;
        int count = 0;
        for (unsigned y = 15; y < 50; ++y) {
            for (unsigned x = 0; x < frame.getSize().x; ++x) {
                if (frame.getPixel(x, y) == sf::Color::White) {
                    sum += x;
                    ++count;
                }
            }
        }
        return count == 0 ? -1.0 : sum / count / testScale;
    }
};

TEST_F(GameScreenTest, EachModeShowsItsPartsWhereTheyBelong) {
    const struct {
        GameMode mode;
        sf::Color background;
        // Read-outs at the clock (x 50), level (328), score (510), best (771), count (1025 and 1072).
        const char *clock, *level, *score, *best, *lines, *patterns;
        bool pattern, tube;
        double nameCentre;
    } modes[] = {
        {Normal, backgroundColour, "01:00", "01", "00042", "00900", "..000", "0007.", true, true, 1368},
        {Casual, casualColour, "0007.", "..", ".....", ".....", ".....", ".....", true, true, -1},
        {ColorLines, colorLinesColour, "01:00", "01", "00042", "00900", "0003.", "03...", false, false, 1282},
    };
    for (const auto& m : modes) {
        const sf::Image frame = drawMode(m.mode);
        EXPECT_EQ(at(frame, 1500, 1050), m.background) << m.mode << ": it covers the backdrop";
        EXPECT_EQ(readout(frame, 50, 5), m.clock) << m.mode;
        EXPECT_EQ(readout(frame, 328, 2), m.level) << m.mode;
        EXPECT_EQ(readout(frame, 510, 5), m.score) << m.mode;
        EXPECT_EQ(readout(frame, 771, 5), m.best) << m.mode;
        EXPECT_EQ(readout(frame, 1025, 5), m.lines) << m.mode;
        EXPECT_EQ(readout(frame, 1072, 5), m.patterns) << m.mode;
        EXPECT_EQ(buttons(frame), "MSHPQ") << m.mode;
        for (int slot = 0; slot < 8; ++slot) {
            const sf::Color pattern = m.pattern ? patternColour(slot + 1) : m.background;
            EXPECT_EQ(at(frame, 90, 143.0f + 60 * slot), pattern) << m.mode << " pattern slot " << slot;
        }
        EXPECT_EQ(at(frame, 1800, 300), m.tube ? tubeColour : m.background) << m.mode;
        EXPECT_NEAR(nameCentre(frame), m.nameCentre, m.nameCentre < 0 ? 0.0 : 8.0) << m.mode;
    }
}

TEST_F(GameScreenTest, BoardThreadFallingGemAndButtonsFollowTheGame) {
    cell(game.board, 7, 0) = Gem90;
    cell(game.board, 0, 11) = Diamond;
    cell(game.board, 5, 6) = Trash;
    cell(game.board, 4, 12) = Gem50;
    const Thread thread = {Diamond, Gem20, Trash, Empty, Empty, Empty, Empty, Empty};
    game.thread = thread;
    game.cursorColumn = 12;
    game.fallRow = 5;
    game.fallColumn = 6;
    sf::Image frame = drawMode(Normal);
    EXPECT_EQ(atCell(frame, 7, 0), fallColour(Gem90));
    EXPECT_EQ(atCell(frame, 0, 11), fallColour(Diamond));
    EXPECT_EQ(atCell(frame, 5, 6), fallColour(Trash)) << "the board is drawn after the falling gem";
    EXPECT_EQ(atCell(frame, 4, 12), tubeColour);
    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(at(frame, 1807, 625.0f + 60 * slot), threadColour(thread[slot])) << "under column 12";
    }
    EXPECT_EQ(at(frame, 1020, 625), backgroundColour) << "not under the start column";
    game.fallRow = 4;
    game.cursorColumn = 0;
    frame = drawMode(ColorLines);
    EXPECT_EQ(atCell(frame, 4, 6), fallColour(Gem80)) << "the falling gem, kind index 1";
    EXPECT_EQ(atCell(frame, 4, 12), fallColour(Gem50)) << "no tube over column 12 in ColorLines";
    EXPECT_EQ(at(frame, 300, 685), threadColour(Gem20)) << "under column 0";
    game.gemActive = false;
    EXPECT_EQ(atCell(drawPlayingFrame(), 4, 6), colorLinesColour) << "landed, waiting for the next gem";
    audio.musicEnabled = false;
    audio.soundEnabled = false;
    game.paused = true;
    frame = drawPlayingFrame();
    EXPECT_EQ(atCell(frame, 4, 6), fallColour(Gem80)) << "shown while paused";
    EXPECT_EQ(buttons(frame), "msHRQ");
    game.boardFull = true; // the board-full stop sets paused but keeps the pause picture
    audio.soundEnabled = true;
    EXPECT_EQ(buttons(drawPlayingFrame()), "mSHPQ");
}

} // namespace
} // namespace viewtest
