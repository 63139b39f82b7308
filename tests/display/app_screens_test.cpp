// The application in-process: splash and menus as drawn, the cursor, quick clicks on buttons shown, Start,
// Escape, a game and back, composed frames against sprite by sprite, and the settings page on a real file.
#include "display_fixture.h"

#include "scores/highscore_file.h"
#include "view/menu_pages.h"

namespace displaytest {
namespace {

TEST_F(AppTest, SplashAndMainMenuFadeInAsDrawnAndTheButtonsShowAfterOnePointTwoSeconds) {
    start();
    frame();
    scriptedMouse = {400, 400};
    frame();
    EXPECT_TRUE(shot().getPixel(960, 400) == sf::Color::Black && !app->cursorVisible) << "at first";
    frameAfter(0.5);
    const sf::Color half = shot().getPixel(960, 400); // the picture's (160, 126, 59) at alpha 127
    EXPECT_TRUE(std::abs(half.r - 80) <= 2 && std::abs(half.g - 63) <= 2 && std::abs(half.b - 29) <= 2);
    send(key(sf::Keyboard::Space));
    frameAfter(0.01);
    EXPECT_EQ(app->assets.startPage.getColor().a, 252) << "fading out from opaque: trunc(255 * 0.99)";
    wait(0.5);
    send(key(sf::Keyboard::Space));
    frame();
    EXPECT_EQ(app->assets.startPage.getColor().a, 124) << "a second Space changes nothing";
    frameAfter(0.6);
    ASSERT_TRUE(gameState == Menu && app->menuShown);
    frameAfter(0.5);
    EXPECT_EQ(app->assets.menuPage.getColor(), sf::Color(255, 255, 255, 127));
    frameAfter(0.6);
    const sf::IntRect startArea(positions::startButton.x, positions::startButton.y, 204, 110);
    EXPECT_EQ(changedPixels(shot(), "menu_page.png", startArea), 0) << "the background alone at 1.1 s";
    frameAfter(0.15);
    const sf::Color gray = shot().getPixel(960, 420);
    EXPECT_GT(changedPixels(shot(), "menu_page.png", startArea), 1000) << "Start drawn at 1.25 s";
    scriptedMouse = {960, 420};
    frame();
    EXPECT_TRUE(app->menuHover == (std::array<bool, 5>{true, false, false, false, false}) &&
                shot().getPixel(960, 420) != gray);
    scriptedMouse = {300, 300};
    runFor(2.2);
    EXPECT_FALSE(app->cursorVisible) << "hidden after the mouse stood still for over 2 s";
    // Enter leaves the splash as well (a click: the real-binary scaling run).
    std::tie(gameState, app->startWaiting) = std::pair(StartPage, true);
    send(key(sf::Keyboard::Enter));
    EXPECT_FALSE(app->startWaiting);
}

// Each main-menu button acts once for a press and release in one frame, and only while it is drawn: not
// before 1.2 s, not during the fade-out into a game. A click that leaves a page presses nothing beneath.
TEST_F(AppTest, QuickClicksActOnceOnEveryMainMenuButtonWhileItIsDrawn) {
    writeFile(scoreFile, "Ann\nBob\n[LAST_PLAYER]\nBob\n");
    start();
    reachMainMenu();
    EXPECT_TRUE(app->gameReady && app->players.currentPlayer == "Bob" && app->players.lastPlayerIndex == 1);
    for (const auto& [y, page] :
         {std::pair{settingsY, Settings}, {instructionsY, Instructions}, {aboutY, About}}) {
        quickClick(menuX, y);
        EXPECT_EQ(app->menuPage, page);
        page == Settings ? send(key(sf::Keyboard::Escape)) : quickClick(menuX, quitY);
        EXPECT_FALSE(app->closeRequested) << "the click that left the page quit";
        wait(1.0);
        quickClick(menuX, y);
        EXPECT_EQ(app->menuPage, MainMenu) << y << ": acted 1.0 s into the menu";
        wait(0.3);
    }
    quickClick(menuX, startY);
    EXPECT_FALSE(app->menuShown) << "Start began the fade into the game";
    runFor(0.5);
    quickClick(menuX, settingsY);
    EXPECT_EQ(app->menuPage, MainMenu) << "Settings acted during the fade-out";
    runFor(0.6);
    EXPECT_EQ(gameState, Playing);
}

// Start without a player opens the prompt; with one, a press held still restarts the fade-out. B or the
// menu button lead back to the menu with a fresh game; a full column ends one, and its best is written.
TEST_F(AppTest, StartAsksForANameFirstThenAHeldPressDelaysTheGameAndItsEndWritesTheBest) {
    start();
    reachMainMenu();
    click(menuX, startY); // the prompt's blink starts here, at 0 s
    EXPECT_TRUE(app->menuPage == Settings && app->namePrompt && blinkActive());
    typeText("Ann\r");
    writeFile(scoreFile, "Ann\n5,0,1\n70,2,3\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nAnn\n");
    send(key(sf::Keyboard::Escape));
    wait(1.3);
    press(menuX, startY);
    runFor(1.4);
    EXPECT_TRUE(gameState == Menu && app->game.bestScore == 70) << "1.4 s after the press";
    release();
    frameAfter(0.6);
    EXPECT_EQ(gameState, Menu);
    frameAfter(0.5); // 3.8 s: a hidden quarter-second of the prompt's blink, had it gone on
    ASSERT_EQ(gameState, Playing);
    frame(); // both level digits opaque
    EXPECT_EQ(app->assets.levelDigits[0].getColor().a + app->assets.levelDigits[1].getColor().a, 510);
    for (const bool byKey : {true, false}) { // B, or a quick click on the menu button
        std::tie(app->game.board[5], app->view.unsavedResultCause) = std::pair(Gem50, "disk full");
        byKey ? send(key(sf::Keyboard::B)) : quickClick(placeInRow(positions::gameButtons, 2).x + 30, 50);
        runFor(1.3);
        EXPECT_TRUE(gameState == Menu && app->game.board[5] == Empty && app->view.unsavedResultCause.empty())
            << "a fresh game was prepared";
        click(menuX, startY);
        runFor(1.05);
    }
    app->game.score = 80; // a best score, then the falling gem's column fills up
    cell(app->game.board, 0, app->game.fallColumn) = cell(app->game.board, 1, app->game.fallColumn) = Gem50;
    runFor(6.2);
    EXPECT_EQ(gameState, GameEnd);
    EXPECT_EQ(readFile(scoreFile), "Ann\n5,0,1\n80,0,0\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nAnn\n");
    quickClick(menuX, startY);
    EXPECT_EQ(gameState, Menu) << "a click leaves the end screen";
}

TEST_F(AppTest, EscapeLeavesAPageOrClosesAndEventsAfterACloseStillCount) {
    start();
    const std::tuple<int, int, bool> cases[] = {{StartPage, MainMenu, true}, {Menu, MainMenu, true},
                                                {Menu, Settings, false},     {Menu, About, false},
                                                {Playing, MainMenu, true},   {GameEnd, MainMenu, true}};
    for (const auto& [state, page, closes] : cases) {
        std::tie(gameState, app->menuPage, app->closeRequested) = std::tuple(state, page, false);
        wait(1.0);
        send(key(sf::Keyboard::Escape));
        EXPECT_EQ(std::tuple(app->menuPage, app->closeRequested, elapsedSeconds(app->fadeClock) == 0.0f),
                  std::tuple(int(MainMenu), closes, !closes))
            << state << "/" << page;
    }
    std::tie(gameState, app->menuPage) = std::pair(Menu, Settings);
    send(event(sf::Event::Closed));
    typeText("Zoe");
    EXPECT_TRUE(app->players.nameInput == "Zoe" && app->window.isOpen());
    frame();
    EXPECT_FALSE(app->window.isOpen());
}

// The largest difference of a colour channel between two frames; the window's alpha is not shown.
int largestDifference(const sf::Image& a, const sf::Image& b) {
    int largest = 0;
    for (std::size_t i = 0; i < 4u * a.getSize().x * a.getSize().y; ++i) {
        largest = std::max(largest, i % 4 == 3 ? 0 : std::abs(a.getPixelsPtr()[i] - b.getPixelsPtr()[i]));
    }
    return largest;
}

class ScreensTest : public AppTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(ScreensTest, ComposedFramesLookAsDrawnSpriteBySprite) {
    // The frame drawn after the given time against the same state drawn again part by part.
    const auto compareAfter = [this](double seconds, const std::string& screen) {
        frameAfter(seconds);
        const sf::Image composed = shot();
        app->layer.composing = false;
        frame();
        const sf::Image reference = shot();
        app->layer.composing = true;
        EXPECT_LE(largestDifference(composed, reference), 2) << screen; // 2 levels: another blending order
        const sf::Color middle = composed.getPixel(composed.getSize().x / 2, 400); // undrawn: alpha 0 as well
        EXPECT_GT(middle.r + middle.g + middle.b, 0) << screen << ": drawn";
    };
    writeFile(scoreFile, "Ann\n1450,4,3\n0,0,0\n220,1,0\n0,0,0\n0,0,0\nBob\n[LAST_PLAYER]\nAnn\n");
    start(GetParam(), 1080);
    frame();
    compareAfter(0.5, "splash fading in");
    send(key(sf::Keyboard::Space));
    runFor(2.4);
    hover(menuX, startY);
    compareAfter(0.1, "main menu, Start highlighted");
    click(menuX, settingsY);
    click(arrowX, musicUpY);
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
    // Gems from row 3 down, every fourth column filled up to row 1 (they pulse), a thread, points rising.
    Game& game = app->game;
    for (int row = 1; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            cell(game.board, row, column) =
                static_cast<GemKind>(row >= 3 || column % 4 == 1 ? 1 + (row * 5 + column * 3) % 10 : 0);
        }
    }
    game.thread = Thread{Gem90, Gem80, Diamond, Empty, Empty, Empty, Empty, Empty};
    std::tie(game.popupPoints, game.popupProgress, game.popupX) = std::tuple(56, 30.0f, 750.0f);
    compareAfter(0.3, "game, Normal");
    send(key(sf::Keyboard::P));
    compareAfter(0.1, "game paused");
    send(key(sf::Keyboard::P));
    std::tie(game.score, game.bestScore, game.popupPoints) = std::tuple(300, 1450, 0);
    for (int column = 0; column < playColumns; ++column) {
        cell(game.board, 0, column) = cell(game.board, 1, column) = Gem90; // a full board ends the game
    }
    for (int i = 0; i < 60 && gameState != GameEnd; ++i) {
        runFor(0.2);
    }
    ASSERT_EQ(gameState, GameEnd);
    compareAfter(3.5, "game over with its summary");
    game.score = game.bestScore;
    compareAfter(0.1, "congratulations with its summary");
}

INSTANTIATE_TEST_SUITE_P(Widths, ScreensTest, ::testing::Values(1920u, 2560u));

TEST_F(AppTest, ArrowsStepOnceAClickRepeatWhenHeldStayInBoundsAndReachTheAudio) {
    start();
    openSettings();
    for (const DesignPoint at : {positions::musicVolume, positions::soundVolume}) { // drawn at once
        EXPECT_GT(changedPixels(shot(), "settings.png", {int(at.x), int(at.y), 72, 34}), 100) << at.y;
    }
    const std::tuple<float, float, float> steps[] = {
        {musicUpY, 3, 20}, {musicDownY, 2, 20}, {soundUpY, 2, 21}, {soundDownY, 2, 20}};
    for (bool quick : {true, false}) {
        for (const auto& [y, musicVolume, soundVolume] : steps) {
            quick ? quickClick(arrowX, y) : click(arrowX, y);
            // The music and each effect play at the new volumes.
            EXPECT_EQ(
                std::tuple(app->volumes.music, app->volumes.sound, std::lround(music(*app).getVolume()),
                           std::lround(sound(*app, SoundEffectId::Applause).getVolume())),
                std::tuple(musicVolume, soundVolume, std::lround(musicVolume), std::lround(soundVolume)))
                << y << (quick ? " quick" : " deliberate");
        }
    }
    press(arrowX, soundDownY); // a step at the press, then one every 0.2 s while held still
    for (const auto& [seconds, volume] :
         {std::pair{0.1, 19.0f}, {0.11, 18.0f}, {0.21, 17.0f}, {0.21, 16.0f}}) {
        frameAfter(seconds);
        EXPECT_EQ(app->volumes.sound, volume) << "held";
    }
    release();
    runFor(0.5);
    EXPECT_EQ(std::pair(app->volumes.sound, app->view.soundVolumeRow[2].getTexture()),
              std::pair(16.0f, static_cast<const sf::Texture*>(&app->assets.digitTextures[6])));
    press(arrowX, soundDownY);
    send(event(sf::Event::MouseMoved, scriptedMouse.x + 1, scriptedMouse.y));
    runFor(0.5);
    release();
    EXPECT_EQ(app->volumes.sound, 15) << "a held arrow stops once the mouse moves, even on the arrow";
    switchMusic(*app);
    std::tie(app->audio.soundEnabled, app->volumes) = std::pair(false, Volumes{100, 0});
    quickClick(arrowX, musicUpY);
    quickClick(arrowX, soundDownY);
    // An arrow at its bound switches its audio on: the music plays, and the sample.
    EXPECT_EQ(std::tuple(app->volumes.music, app->volumes.sound, app->audio.musicEnabled,
                         app->audio.soundEnabled, music(*app).getStatus(),
                         sound(*app, SoundEffectId::GemFall).getStatus()),
              std::tuple(100.0f, 0.0f, true, true, sf::SoundSource::Playing, sf::SoundSource::Playing));
}

TEST_F(AppTest, ModeButtonsSetTheirModeAndReturnButNotForTheClickThatOpenedThePage) {
    start();
    reachMainMenu();
    press(960, 530); // on Settings here, on VeryHard on the page it opens
    runFor(0.3);
    release();
    ASSERT_EQ(app->menuPage, Settings);
    EXPECT_EQ(app->game.mode.diamondChance, 1) << "no mode chosen";
    for (const ButtonPair& button : app->assets.modeButtons) {
        const sf::IntRect area(button.normal.getGlobalBounds());
        EXPECT_GT(changedPixels(shot(), "settings.png", area), area.width * area.height / 4) << "drawn";
    }
    const std::pair<float, GameMode> modes[] = {{290, Easy},     {365, Normal},     {440, Hard},
                                                {515, VeryHard}, {693, ColorLines}, {768, Casual}};
    for (const auto& [y, mode] : modes) {
        quickClick(960, y);
        EXPECT_EQ(std::tuple(app->menuPage, app->game.mode.gameMode, app->gameReady),
                  std::tuple(int(MainMenu), mode, true)); // the new game prepared in the same frame
        wait(1.3);
        quickClick(menuX, settingsY);
    }
    quickClick(960, 890);
    EXPECT_EQ(app->menuPage, MainMenu) << "back";
}

TEST_F(AppTest, TypedNamesAreRegisteredRefusedOrWarnedAbout) {
    start();
    openSettings();
    app->namePrompt = true;
    typeText("\r,\n\tMasha"); // an empty name, a comma and control codes first
    EXPECT_TRUE(app->namePrompt && !fileExists(scoreFile));
    typeText("\r");
    EXPECT_TRUE(app->players.currentPlayer == "Masha" && app->players.lastPlayerIndex == 0 &&
                !app->namePrompt);
    EXPECT_EQ(readFile(scoreFile), "Masha\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nMasha\n");
    app->players.nameInput = "[LAST_PLAYER]";
    typeText("\r");
    EXPECT_EQ(app->players.currentPlayer, "Masha") << "the marker is no name";
    app->players.nameInput.clear();
    const sf::Event cyrillic = event(sf::Event::TextEntered, 0x0416);
    send(cyrillic);
    frame();
    const auto red = [](sf::Color c, sf::Color) { return c.r > 200 && c.g < 110 && c.b < 110; };
    EXPECT_GT(countPixels(shot(), {1355, 258, 210, 24}, "settings.png", red), 20) << "the warning drawn";
    // An ASCII letter hides the warning at once, an erasing Backspace leaves it, one on nothing hides it.
    for (const auto& [typed, accepted] : {std::pair{"x", true}, {"\b", false}, {"\b", true}}) {
        send(cyrillic);
        typeText(typed);
        EXPECT_EQ(app->players.inputAccepted, accepted) << app->players.nameInput;
        send(cyrillic);
    }
    EXPECT_EQ(app->players.nameInput, "");
    runFor(2.9);
    EXPECT_FALSE(app->players.inputAccepted);
    runFor(0.2);
    EXPECT_TRUE(app->players.inputAccepted) << "after 3 s";
    typeText("Zo"); // the caret after it shows in the blink's visible phases
    startBlink();
    const sf::IntRect caret(nameCaret(app->players.nameText).getGlobalBounds());
    const auto white = [](sf::Color c, sf::Color) { return c.r > 230 && c.g > 230 && c.b > 230; };
    for (const auto& [after, shown] : {std::pair{0.1, true}, {0.2, false}, {0.3, true}}) {
        frameAfter(after);
        EXPECT_EQ(countPixels(shot(), caret, "settings.png", white) > 20, shown) << after;
    }
}

TEST_F(AppTest, TheListShowsSelectsAndDeletesPlayers) {
    start();
    openSettings();
    writeFile(scoreFile, "Ann\nBob\nCid\n[LAST_PLAYER]\nAnn\n");
    frame(); // the list follows the file
    typeText("Cid\r");
    EXPECT_EQ(app->players.lastPlayerIndex, 2) << "an existing name selects that player";
    // Row 1, the gap under it, just right of row 0, row 0.
    const std::tuple<int, int, std::string> clicks[] = {
        {1596, 494, "Bob"}, {1506, 499, "Bob"}, {1656, 430, "Bob"}, {1356, 410, "Ann"}};
    for (const auto& [x, y, picked] : clicks) {
        send(event(sf::Event::MouseButtonPressed, x, y));
        EXPECT_EQ(app->players.currentPlayer, picked) << x << "," << y;
    }
    EXPECT_EQ(readLastPlayer(scoreFile), "Ann");
    frame();
    const auto yellow = [](sf::Color c, sf::Color) { return c.r > 200 && c.g > 200 && c.b < 80; };
    EXPECT_GT(countPixels(shot(), {1406, 410, 200, 40}, "settings.png", yellow), 20) << "the first row";
    EXPECT_EQ(countPixels(shot(), {1406, 457, 200, 40}, "settings.png", yellow), 0);
    click(1506, 480);
    send(key(sf::Keyboard::Delete));
    EXPECT_TRUE(readPlayerNames(scoreFile) == (std::vector<std::string>{"Ann", "Cid"}) &&
                app->players.currentPlayer == "Cid" && app->players.lastPlayerIndex == 1);
    for (int i = 0; i < 3; ++i) { // the last press finds no current player and does nothing
        send(key(sf::Keyboard::Delete));
    }
    EXPECT_TRUE(app->players.currentPlayer.empty() && app->players.lastPlayerIndex == -1);
    EXPECT_EQ(readFile(scoreFile), "[LAST_PLAYER]\n\n");
}

class TextFitTest : public AppTest, public ::testing::WithParamInterface<std::pair<unsigned, unsigned>> {};

// The longest name the field takes lies inside, and fills at least half of, the field (inside its border),
// its list row (between the ruled lines) and the game screen's name plates; so do the warning and the
// caret after the name; a click on either end of the listed name selects it.
TEST_P(TextFitTest, TheLongestNameFitsItsFieldRowAndPlateOnEveryScreen) {
    const std::string tenW(10, 'W');
    writeFile(scoreFile, "Ann\n" + tenW + "\n[LAST_PLAYER]\nAnn\n");
    start(GetParam().first, GetParam().second);
    openSettings();
    typeText(tenW + "WW");
    EXPECT_EQ(app->players.nameInput, tenW) << "typing stops at the same name on every screen";
    const Layout l = app->layout;
    const sf::Font& f = app->assets.font;
    const PlayerState& p = app->players;
    const sf::FloatRect row = playerRowText(f, tenW, 1, false, l).getGlobalBounds(),
                        name = p.nameText.getGlobalBounds(), field(1354, 247, 1658, 295);
    // Bounds, then the box's left, top, right and bottom, then the share of its width they fill.
    const std::tuple<sf::FloatRect, sf::FloatRect, float> boxes[] = {
        {name, field, 0.5f},
        {p.wrongInputText.getGlobalBounds(), field, 0.5f},
        {nameCaret(p.nameText).getGlobalBounds(), {(name.left + name.width) / l.scaleX, 247, 1658, 295}, 0},
        {row, {1356, 453, 1656, 500}, 0.5f},
        {playerNameText(f, Normal, tenW, l).getGlobalBounds(), {1233, 53, 1503, 101}, 0.5f},
        {playerNameText(f, ColorLines, tenW, l).getGlobalBounds(), {1147, 53, 1417, 101}, 0.5f}};
    for (const auto& [in, box, share] : boxes) {
        EXPECT_TRUE(in.left >= box.left * l.scaleX && in.top >= box.top * l.scaleY &&
                    in.left + in.width <= box.width * l.scaleX &&
                    in.top + in.height <= box.height * l.scaleY &&
                    in.width >= share * (box.width - box.left) * l.scaleX)
            << box.left << ": " << in.left << "," << in.top << " " << in.width << "x" << in.height;
    }
    for (const float x : {row.left + 1, row.left + row.width - 1}) {
        app->players.currentPlayer = "Ann";
        send(event(sf::Event::MouseButtonPressed, static_cast<int>(x),
                   static_cast<int>(row.top + row.height / 2)));
        EXPECT_EQ(app->players.currentPlayer, tenW) << x;
    }
}

const std::pair<unsigned, unsigned> screens[] = {{800, 600},   {1024, 768},  {1280, 1024},
                                                 {1920, 1080}, {2560, 1080}, {3840, 2160}};
INSTANTIATE_TEST_SUITE_P(Screens, TextFitTest, ::testing::ValuesIn(screens));

} // namespace
} // namespace displaytest
