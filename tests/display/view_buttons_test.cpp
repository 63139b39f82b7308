// The five game-screen buttons: each acts only under its guard, the switches not while paused, the main
// menu, pause and quit buttons also while paused.
#include "view_fixture.h"

namespace viewtest {
namespace {

class ButtonsTest : public PlayingAppTest {
  protected:
    void SetUp() override {
        PlayingAppTest::SetUp();
        Game& game = app->game;
        game.board = Board{};
        game.fallRow = 3;
        game.fallColumn = 2;
        game.gemActive = true;
        app->gameReady = true;
        app->menuShown = false;
    }

    void click(float designX) { handleGameButtons(*app, pixelOf(designX + 35, 57)); }
    void clickMusic() { click(1543); }
    void clickSound() { click(1619); }
    void clickMainMenu() { click(1695); }
    void clickPause() { click(1771); }
    void clickQuit() { click(1847); }
};

TEST_F(ButtonsTest, MusicAndSoundSwitchWhilePlaying) {
    clickMusic();
    EXPECT_FALSE(app->audio.musicEnabled);
    EXPECT_TRUE(app->audio.soundEnabled);
    clickSound();
    EXPECT_FALSE(app->audio.soundEnabled);
    clickMusic();
    clickSound();
    EXPECT_TRUE(app->audio.musicEnabled);
    EXPECT_TRUE(app->audio.soundEnabled);
}

TEST_F(ButtonsTest, MusicAndSoundDoNothingWhilePausedOrOffTheGameScreen) {
    app->game.paused = true;
    clickMusic();
    clickSound();
    EXPECT_TRUE(app->audio.musicEnabled);
    EXPECT_TRUE(app->audio.soundEnabled);
    app->game.paused = false;
    gameState = GameEnd;
    clickMusic();
    clickSound();
    EXPECT_TRUE(app->audio.musicEnabled);
    EXPECT_TRUE(app->audio.soundEnabled);
}

TEST_F(ButtonsTest, MainMenuLeavesTheGameEvenWhilePaused) {
    app->game.paused = true;
    advanceSeconds(5.0);
    clickMainMenu();
    EXPECT_EQ(gameState, Menu);
    EXPECT_FALSE(app->gameReady);
    EXPECT_TRUE(app->menuShown);
    EXPECT_EQ(elapsedSeconds(app->fadeClock), 0.0f);
}

TEST_F(ButtonsTest, MainMenuDoesNothingOnTheEndScreen) {
    gameState = GameEnd;
    clickMainMenu();
    EXPECT_EQ(gameState, GameEnd);
    EXPECT_TRUE(app->gameReady);
    EXPECT_FALSE(app->menuShown);
}

TEST_F(ButtonsTest, PauseTogglesOnlyWithTheGemInTheAirOverAnEmptyCell) {
    clickPause();
    EXPECT_TRUE(app->game.paused);
    EXPECT_FALSE(app->game.gemActive);
    clickPause();
    EXPECT_FALSE(app->game.paused);
    EXPECT_TRUE(app->game.gemActive);

    cell(app->game.board, 4, 2) = Gem70; // the gem rests on it
    clickPause();
    EXPECT_FALSE(app->game.paused);
    cell(app->game.board, 4, 2) = Empty;
    app->game.fallRow = 7;
    clickPause();
    EXPECT_FALSE(app->game.paused);
}

TEST_F(ButtonsTest, PauseDoesNothingOffTheGameScreen) {
    gameState = Menu;
    clickPause();
    EXPECT_FALSE(app->game.paused);
    EXPECT_TRUE(app->game.gemActive);
}

TEST_F(ButtonsTest, QuitClosesTheWindowEvenWhilePaused) {
    app->window.create(sf::VideoMode(64, 64), "quit test");
    app->game.paused = true;
    clickQuit();
    EXPECT_TRUE(app->closeRequested);
}

TEST_F(ButtonsTest, QuitDoesNothingOffTheGameScreen) {
    app->window.create(sf::VideoMode(64, 64), "quit test");
    gameState = Menu;
    clickQuit();
    EXPECT_FALSE(app->closeRequested);
    app->window.close();
}

TEST_F(ButtonsTest, AClickBesideTheButtonsDoesNothing) {
    click(1543 - 76); // the gap left of the music button
    handleGameButtons(*app, pixelOf(1600, 200));
    EXPECT_TRUE(app->audio.musicEnabled);
    EXPECT_TRUE(app->audio.soundEnabled);
    EXPECT_FALSE(app->game.paused);
    EXPECT_EQ(gameState, Playing);
}

} // namespace
} // namespace viewtest
