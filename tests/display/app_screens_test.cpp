// The screen flow driven in-process: the splash and the main menu as drawn, the cursor, quick clicks on
// buttons that act only while drawn, Start with and without a player, Escape everywhere, a game and back.
#include "display_fixture.h"

namespace displaytest {
namespace {

TEST_F(AppTest, SplashAndMainMenuFadeInAsDrawnAndTheButtonsShowAfterOnePointTwoSeconds) {
    start();
    frame();
    scriptedMouse = {400, 400};
    frame();
    EXPECT_TRUE(shot().getPixel(960, 400) == sf::Color::Black && !app->cursorVisible)
        << "transparent at first";
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
    EXPECT_EQ(app->menuHover, (std::array<bool, 5>{true, false, false, false, false}));
    EXPECT_NE(shot().getPixel(960, 420), gray);
    scriptedMouse = {300, 300};
    runFor(2.2);
    EXPECT_FALSE(app->cursorVisible) << "hidden after the mouse stood still for over 2 s";
    gameState = StartPage; // Enter leaves the splash as well (a click: the real-binary scaling run)
    app->startWaiting = true;
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

// Start without a player opens the prompt; with one, a press held still keeps the fade-out restarting. B
// or the menu button lead back to the menu, which prepares a fresh game; a full column ends one, and a best
// score is written.
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
    frame();
    EXPECT_EQ(app->assets.levelDigits[0].getColor().a + app->assets.levelDigits[1].getColor().a, 2 * 255)
        << "both level digits opaque";
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
        gameState = state;
        app->menuPage = page;
        app->closeRequested = false;
        wait(1.0);
        send(key(sf::Keyboard::Escape));
        EXPECT_EQ(std::tuple(app->menuPage, app->closeRequested, elapsedSeconds(app->fadeClock) == 0.0f),
                  std::tuple(int(MainMenu), closes, !closes))
            << state << "/" << page;
    }
    gameState = Menu;
    app->menuPage = Settings;
    send(event(sf::Event::Closed));
    typeText("Zoe");
    EXPECT_TRUE(app->players.nameInput == "Zoe" && app->window.isOpen());
    frame();
    EXPECT_FALSE(app->window.isOpen());
}

} // namespace
} // namespace displaytest
