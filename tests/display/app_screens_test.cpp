// The screen flow driven in-process: splash, main menu, instructions and about, Start with and without a
// player, Escape on every screen, and the cursor's auto-hide.
#include "app_fixture.h"

using namespace apptest;

namespace {
// Centres of the main-menu buttons in design units.
constexpr int startX = 960, startY = 420;
constexpr int settingsY = 557;
constexpr int aboutY = 828;
constexpr int quitY = 964;
} // namespace

using SplashTest = AppTest;

TEST_F(SplashTest, SpaceDuringFadeInJumpsToOpaqueThenFadesOutIntoTheMenu) {
    start();
    frame();
    wait(0.3);
    frame();
    EXPECT_EQ(app->assets.startPage.getColor().a, 76); // trunc(255 * 0.3)
    send(keyPress(sf::Keyboard::Space));
    wait(0.01);
    frame();
    EXPECT_EQ(app->assets.startPage.getColor().a, 252); // fading out from opaque: trunc(255 * 0.99)
    wait(0.5);
    send(keyPress(sf::Keyboard::Space)); // a second Space changes nothing
    frame();
    EXPECT_EQ(app->assets.startPage.getColor().a, 124); // trunc(255 * 0.49)
    wait(0.6);
    frame();
    EXPECT_EQ(gameState, Menu);
    EXPECT_TRUE(app->menuShown);
}

TEST_F(SplashTest, EnterAndClickAlsoLeaveAndEscapeCloses) {
    start();
    frame();
    send(leftPress(10, 10));
    EXPECT_FALSE(app->startWaiting);
    send(keyPress(sf::Keyboard::Escape));
    frame();
    EXPECT_FALSE(app->window.isOpen());
}

using MainMenuTest = AppTest;

TEST_F(MainMenuTest, ButtonsAppearAfterOnePointTwoSecondsAndHighlightUnderTheMouse) {
    start();
    frame();
    send(keyPress(sf::Keyboard::Space));
    runFor(1.05);
    ASSERT_EQ(gameState, Menu);
    scriptedMouse() = {1, 1};
    runFor(1.1);
    const sf::Color before = pixelAt(startX, startY);
    runFor(0.2);
    const sf::Color shown = pixelAt(startX, startY);
    EXPECT_NE(before.toInteger(), shown.toInteger());
    moveMouse(startX, startY);
    frame();
    EXPECT_TRUE(app->menuHover[0]);
    EXPECT_FALSE(app->menuHover[1]);
    EXPECT_NE(pixelAt(startX, startY).toInteger(), shown.toInteger());
}

TEST_F(MainMenuTest, ClickThatLeavesAboutDoesNotPressTheButtonBeneath) {
    start();
    reachMainMenu();
    click(startX, aboutY);
    ASSERT_EQ(app->menuPage, About);
    // Click on the about page right where Quit stands in the main menu; keep the press in force.
    moveMouse(startX, quitY);
    send(leftPress(startX, quitY));
    frame();
    frame();
    frame();
    EXPECT_EQ(app->menuPage, MainMenu);
    EXPECT_TRUE(app->window.isOpen());
}

TEST_F(MainMenuTest, StartWithoutAPlayerOpensTheSettingsPageWithThePrompt) {
    start();
    reachMainMenu();
    click(startX, startY);
    EXPECT_EQ(app->menuPage, Settings);
    EXPECT_TRUE(app->namePrompt);
    EXPECT_EQ(gameState, Menu);
}

TEST_F(MainMenuTest, StartHeldStillKeepsRestartingTheFadeThenPlays) {
    writeFile(scoreFile, "Ann\n5,0,1\n70,2,3\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nAnn\n");
    start();
    reachMainMenu();
    moveMouse(startX, startY);
    send(leftPress(startX, startY));
    runFor(2.0);
    EXPECT_EQ(gameState, Menu); // the press in force restarted the fade every frame
    EXPECT_EQ(app->game.bestScore, 70);
    send(leftRelease(startX, startY));
    runFor(1.05);
    EXPECT_EQ(gameState, Playing);
    EXPECT_EQ(app->players.currentPlayer, "Ann");
}

TEST_F(MainMenuTest, EscapeLeavesPagesAndClosesFromTheMainMenu) {
    start();
    reachMainMenu();
    click(startX, settingsY);
    ASSERT_EQ(app->menuPage, Settings);
    send(keyPress(sf::Keyboard::Escape));
    EXPECT_EQ(app->menuPage, MainMenu);
    EXPECT_TRUE(app->window.isOpen());
    send(keyPress(sf::Keyboard::Escape));
    frame();
    EXPECT_FALSE(app->window.isOpen());
}

TEST_F(MainMenuTest, EventsAfterACloseRequestInTheSameFrameAreStillHandled) {
    start();
    reachMainMenu();
    click(startX, settingsY);
    ASSERT_EQ(app->menuPage, Settings);
    sf::Event closed{};
    closed.type = sf::Event::Closed;
    send(closed);
    typeText("Zoe");
    EXPECT_TRUE(app->window.isOpen());
    EXPECT_EQ(app->players.nameInput, "Zoe");
    frame();
    EXPECT_FALSE(app->window.isOpen());
}

TEST_F(MainMenuTest, QuitButtonClosesTheWindow) {
    start();
    reachMainMenu();
    click(startX, quitY);
    EXPECT_FALSE(app->window.isOpen());
}

using PlayFlowTest = AppTest;

TEST_F(PlayFlowTest, FirstMenuFramePreparesAGameWithTheFilesLastPlayer) {
    writeFile(scoreFile, "Ann\nBob\n[LAST_PLAYER]\nBob\n");
    start();
    reachMainMenu();
    EXPECT_TRUE(app->gameReady);
    EXPECT_EQ(app->players.currentPlayer, "Bob");
    EXPECT_EQ(app->players.lastPlayerIndex, 1);
    EXPECT_EQ(app->game.cursorColumn, 6);
    for (int c = 0; c < boardColumns; ++c) {
        EXPECT_EQ(cell(app->game.board, 7, c), Empty);
    }
}

TEST_F(PlayFlowTest, BLeavesTheGameAndEscapeClosesDuringPlay) {
    writeFile(scoreFile, "Ann\n[LAST_PLAYER]\nAnn\n");
    start();
    reachMainMenu();
    click(startX, startY);
    runFor(1.05);
    ASSERT_EQ(gameState, Playing);
    send(keyPress(sf::Keyboard::B));
    EXPECT_EQ(gameState, Menu);
    EXPECT_FALSE(app->gameReady);
    frame();
    EXPECT_TRUE(app->gameReady);
    runFor(1.3); // the buttons show again 1.2 s after the menu came back
    click(startX, startY);
    runFor(1.2);
    ASSERT_EQ(gameState, Playing);
    send(keyPress(sf::Keyboard::Escape));
    frame();
    EXPECT_FALSE(app->window.isOpen());
}

using CursorTest = AppTest;

TEST_F(CursorTest, HidesAfterTwoSecondsStillAndReturnsOnMovement) {
    start();
    reachMainMenu();
    moveMouse(300, 300);
    frame();
    EXPECT_TRUE(app->cursorVisible);
    runFor(1.9);
    EXPECT_TRUE(app->cursorVisible);
    runFor(0.2);
    EXPECT_FALSE(app->cursorVisible);
    moveMouse(301, 300);
    frame();
    EXPECT_TRUE(app->cursorVisible);
}

TEST_F(CursorTest, NeverShownOnTheSplash) {
    start();
    frame();
    moveMouse(400, 400);
    frame();
    EXPECT_FALSE(app->cursorVisible);
}

TEST_F(PlayFlowTest, ABlinkLeftByTheNamePromptDoesNotHideTheLevelTens) {
    start();
    reachMainMenu();
    click(startX, startY); // no player: the prompt starts the blink
    ASSERT_TRUE(app->namePrompt);
    typeText("Ann");
    send(textEntered(13));
    send(keyPress(sf::Keyboard::Escape));
    // The first frame of play comes 2.8 s after the blink began: an odd quarter-second, a hidden phase.
    wait(1.775);
    click(startX, startY);
    runFor(1.05);
    ASSERT_EQ(gameState, Playing);
    frame();
    EXPECT_EQ(app->assets.levelDigits[0].getColor().a, 255);
    EXPECT_EQ(app->assets.levelDigits[1].getColor().a, 255);
}

TEST_F(PlayFlowTest, MusicKeyWorksAfterAFullBoardButNotInThePlayersPause) {
    start();
    reachMainMenu();
    app->game.paused = true;
    app->game.boardFull = true;
    gameState = GameEnd;
    send(keyPress(sf::Keyboard::M));
    EXPECT_FALSE(app->audio.musicEnabled);
    app->audio.musicLatch = false;
    app->game.boardFull = false;
    gameState = Playing;
    send(keyPress(sf::Keyboard::M));
    EXPECT_FALSE(app->audio.musicEnabled);
}
