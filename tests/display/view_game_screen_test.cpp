// The game and end screens in pixels: each mode's parts, board, gems, thread, buttons, read-outs, blink,
// rising points and warning pulse; the end picture's fade-in, message, digits, summary and frame.
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
    sf::Color blinkColour(sf::Sprite& sprite, bool mayStop) {
        blinkDraw(sprite, target, mayStop);
        return sprite.getColor();
    }
    // An end frame: the first one starts the summary's delay; this one comes the given seconds later.
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
            const sf::Color c = at(frame, placeInRow(row, i).x + 7, placeInRow(row, i).y + 15);
            text += c.r == 90 && c.g == 90 ? static_cast<char>('0' + (c.b - 100) / 10) : '.';
        }
        return text;
    }
    static int message(const sf::Image& frame) {
        const sf::Color c = at(frame, positions::endMessage.x + 5, positions::endMessage.y + 29);
        return c.r == 150 && c.g == 150 ? c.b - 1 : -1;
    }
};

TEST_F(GameScreenTest, EachModeShowsItsPartsWhereTheyBelongAndTheDigitsShowTheirNumbers) {
    std::tie(game.pattern, game.score, game.bestScore, game.patternsCompleted, game.colorLinesCount) =
        std::tuple(Pattern{Gem90, Gem80, Gem70, Gem60, Gem50, Gem40, Gem30, Gem20}, 42, 900, 7, 3);
    // The read-outs at the clock (x 50), level (328), score (510), best (771) and count (1025 and 1072),
    // then whether the pattern and the tube are shown.
    const std::tuple<GameMode, sf::Color, const char*, bool> modes[] = {
        {Normal, backgroundColour, "01:00 01 00042 00900 ..000 0007.", true},
        {Casual, casualColour, "0007. .. ..... ..... ..... .....", true},
        {ColorLines, colorLinesColour, "01:00 01 00042 00900 0003. 03...", false}};
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
            EXPECT_EQ(at(frame, patternX + 30, boardTopY + 30 + 60 * slot),
                      patternAndTube ? patternColour(slot + 1) : background)
                << mode << " pattern slot " << slot;
        }
        EXPECT_EQ(at(frame, 1800, 300), patternAndTube ? tubeColour : background) << mode;
    }
    refreshLevelClock(assets.levelClock, assets.digitTextures, 671);
    assets.levelDigits[0].setColor(sf::Color::Transparent); // as a blink may leave it
    refreshLevelDigits(assets.levelDigits, assets.digitTextures, 10);
    layoutVolumeRows(view, Volumes{57.9f, 100.0f}, assets.digitTextures, app->layout);
    const auto digits = [this](const auto& sprites) { return shown(sprites, assets, assets.digitTextures); };
    EXPECT_EQ(digits(assets.levelClock) + digits(assets.levelDigits) + digits(view.musicVolumeRow) +
                  digits(view.soundVolumeRow),
              "11:1110057__100__");
}

TEST_F(GameScreenTest, BoardThreadFallingGemAndButtonsFollowTheGame) {
    std::tie(game.fallKind, game.fallRow, game.fallColumn, game.cursorColumn, cell(game.board, 7, 0),
             cell(game.board, 0, 11), cell(game.board, 5, 6), cell(game.board, 4, 12)) =
        std::tuple(1, 5, 6, 12, Gem90, Diamond, Trash, Gem50);
    game.thread = Thread{Diamond, Gem20, Trash, Empty, Empty, Empty, Empty, Empty};
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
    std::tie(app->audio.musicEnabled, app->audio.soundEnabled, game.paused) = std::tuple(false, false, true);
    frame = drawPlayingFrame();
    EXPECT_EQ(atCell(frame, 4, 6), fallColour(Gem80)) << "shown while paused";
    EXPECT_EQ(buttons(frame), "msHRQ");
    game.boardFull = app->audio.soundEnabled = true; // the board-full stop sets paused, keeps the picture
    EXPECT_EQ(buttons(drawPlayingFrame()), "mSHPQ");
}

const sf::Color opaque = sf::Color::White, clear(255, 255, 255, 0);

TEST_F(GameScreenTest, BlinkShowsAQuarterSecondAndHidesAQuarterUntilACallThatMayStopEndsItFromOnePointFive) {
    sf::Sprite &tens = assets.levelDigits[0], &units = assets.levelDigits[1];
    startBlink();
    // After each step: the tens (drawn by a call that may not stop), the units (by one that may), running.
    // Once stopped, the blink leaves the colours alone, even in a phase that would show them.
    const std::tuple<double, sf::Color, sf::Color, bool> frames[] = {
        {0.1, opaque, opaque, true}, {0.2, clear, clear, true},   {0.3, opaque, opaque, true},
        {0.7, clear, clear, true},   {0.5, clear, opaque, false}, {1.3, clear, opaque, false}};
    for (const auto& [step, tensColour, unitsColour, running] : frames) {
        advanceSeconds(step);
        const sf::Color t = blinkColour(tens, false), u = blinkColour(units, true);
        EXPECT_EQ(std::tuple(t, u, blinkActive()), std::tuple(tensColour, unitsColour, running)) << step;
    }
    startBlink(); // restarting the phase; a call that may not stop goes on blinking: the name prompt
    advanceSeconds(5.45);
    EXPECT_EQ(blinkColour(assets.enterYourName, false), clear);
}

TEST_F(GameScreenTest, PointsRiseFromTheirColumnFadingAndTheWarningPulseSwellsColumnsFilledFromRowOne) {
    // Over column 4, one unit a step from 500: at the top of its rise, nearly faded.
    std::tie(game.popupPoints, game.popupX, game.popupProgress) = std::tuple(4, 750.0f, 99.0f);
    drawPlayingFrame();
    EXPECT_EQ(std::tuple(shown(view.popupRow, assets, assets.digitTextures), view.popupRow[1].getPosition(),
                         view.popupRow[0].getColor().a),
              std::tuple("04___", sf::Vector2f(750 * testScale + 5 + 20 * testScale, 401 * testScale), 2));
    for (int column = 0; column < 13; ++column) {
        cell(game.board, 1, column) = cell(game.board, 2, column) = static_cast<GemKind>(column % 8 + 1);
    }
    cell(game.board, 1, 5) = cell(game.board, 2, 6) = Empty;
    game.mode.gameMode = ColorLines; // no tube picture over column 12
    // 1.0 + 0.2 |sin(pi t)|: beyond the cell's margin only well away from whole seconds.
    for (const auto& [after, swollen] : {std::pair{0.0, "............."}, {0.5, "01234..70123."}}) {
        advanceSeconds(after);
        const sf::Image frame = drawPlayingFrame();
        std::string seen;
        for (int column = 0; column < 13; ++column) {
            // Just left of the row-1 cell: covered only by a gem swollen beyond its cell.
            const sf::Color c = at(frame, columnX[static_cast<std::size_t>(column)] - 4.0f, 203);
            seen += c == colorLinesColour ? '.' : static_cast<char>('0' + (c.g / 10 - 1));
        }
        EXPECT_EQ(seen, swollen) << "none in 5 and 6, not filled from row 1, nor in the tube";
    }
}

TEST_F(GameScreenTest, PictureMessageLevelCountAndScoreFollowHowTheGameEndedAndThePictureFadesIn) {
    advanceSeconds(2.0); // past the picture's fade-in
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
TEST_F(GameScreenTest, NoFrameStandsAroundTheSummarysPlaceUntilTheSummaryShows) {
    advanceSeconds(2.0); // past the picture's fade-in
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
    // A full board with a score of 40: under a best of 55 game over and GO4, at a best of 40 GO3.
    const std::tuple<std::string, sf::Texture*, std::size_t, int> cases[] = {
        {"game_over", &assets.gameOverTexture, 3, 55},
        {"congratulations", &assets.congratulationsTexture, 2, 40}};
    for (const auto& [file, texture, message, best] : cases) {
        std::tie(game.score, game.bestScore) = std::pair(40, best);
        const std::string go = "assets/GO" + std::to_string(message + 1) + ".png";
        ASSERT_TRUE(texture->loadFromFile("assets/" + file + ".png") &&
                    assets.endMessageTextures[message].loadFromFile(go));
        assets.endMessages[message].setTexture(assets.endMessageTextures[message], true);
        EXPECT_EQ(goldInBand(frameAfter(2.9)), 0) << file;
        advanceSeconds(0.6);
        EXPECT_GT(goldInBand(drawGameEndFrame()), 1000) << file << " with the summary"; // border: 1,300
    }
}

} // namespace
} // namespace displaytest
