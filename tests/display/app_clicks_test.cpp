// Clicks as players make them: a press and its release in one frame acts exactly once on every main-menu
// and settings control, main-menu buttons act only while drawn, and a game without sound still switches.
#include "app_fixture.h"

using namespace apptest;

namespace {

constexpr int menuX = 960, startY = 420, settingsY = 557, instructionsY = 693, aboutY = 828, quitY = 964;
constexpr int arrowX = 440, musicUpY = 380, musicDownY = 528, soundUpY = 717, soundDownY = 865;
constexpr int easyY = 290, casualY = 768, backY = 890;

class QuickClickTest : public AppTest {
  protected:
    void openSettingsQuickly() {
        start();
        reachMainMenu();
        quickClick(menuX, settingsY);
        ASSERT_EQ(app->menuPage, Settings);
    }
};

TEST_F(QuickClickTest, EveryMainMenuButtonActsOnce) {
    writeFile(scoreFile, "Ann\n[LAST_PLAYER]\nAnn\n");
    const struct {
        int y;
        int page;
    } pages[] = {{settingsY, Settings}, {instructionsY, Instructions}, {aboutY, About}, {startY, MainMenu}};
    for (const auto& expected : pages) {
        app = std::make_unique<AppContext>();
        start();
        reachMainMenu();
        quickClick(menuX, expected.y);
        EXPECT_EQ(app->menuPage, expected.page) << "button at y " << expected.y;
    }
    EXPECT_FALSE(app->menuShown) << "Start began the fade into the game";
    runFor(1.1);
    EXPECT_EQ(gameState, Playing);
    app = std::make_unique<AppContext>();
    start();
    reachMainMenu();
    quickClick(menuX, quitY);
    EXPECT_FALSE(app->window.isOpen());
}

TEST_F(QuickClickTest, EverySettingsControlActsOnceAndTheReadOutsShowAtOnce) {
    openSettingsQuickly();
    EXPECT_NE(app->view.musicVolumeRow[0].getTexture(), nullptr) << "read-outs laid out on the first frame";
    EXPECT_EQ(app->view.musicVolumeRow[2].getTexture(), &app->assets.digitTextures[2]);
    const struct {
        int y;
        float* volume;
        float after;
    } arrows[] = {{musicUpY, &app->volumes.music, 3},
                  {musicDownY, &app->volumes.music, 2},
                  {soundUpY, &app->volumes.sound, 21},
                  {soundDownY, &app->volumes.sound, 20}};
    for (const auto& arrow : arrows) {
        quickClick(arrowX, arrow.y);
        EXPECT_FLOAT_EQ(*arrow.volume, arrow.after) << "arrow at y " << arrow.y;
    }
    for (int i = 0; i < 20; ++i) {
        quickClick(arrowX, musicUpY); // clicks faster than the held repeat still count one each
        wait(0.01);
    }
    EXPECT_FLOAT_EQ(app->volumes.music, 22.0f);
    EXPECT_EQ(app->view.musicVolumeRow[1].getTexture(), &app->assets.digitTextures[2]);
    quickClick(menuX, casualY);
    EXPECT_EQ(app->game.mode.gameMode, Casual);
    EXPECT_EQ(app->menuPage, MainMenu);
    runFor(1.3);
    quickClick(menuX, settingsY);
    quickClick(menuX, easyY);
    EXPECT_EQ(app->game.mode.gameMode, Easy);
    runFor(1.3);
    quickClick(menuX, settingsY);
    quickClick(menuX, backY);
    EXPECT_EQ(app->menuPage, MainMenu);
}

TEST_F(QuickClickTest, MainMenuButtonsActOnlyWhileDrawn) {
    writeFile(scoreFile, "Ann\n[LAST_PLAYER]\nAnn\n");
    start();
    frame();
    send(keyPress(sf::Keyboard::Space));
    runFor(1.05);
    ASSERT_EQ(gameState, Menu);
    runFor(1.0);
    quickClick(menuX, settingsY); // 1.0 s into the menu: not drawn yet
    EXPECT_EQ(app->menuPage, MainMenu);
    runFor(0.3);
    quickClick(menuX, startY);
    runFor(0.5);
    quickClick(menuX, settingsY); // where Settings was drawn, during the fade-out into the game
    EXPECT_EQ(app->menuPage, MainMenu);
    runFor(0.6);
    ASSERT_EQ(gameState, Playing);
    send(keyPress(sf::Keyboard::M));
    EXPECT_FALSE(app->audio.musicEnabled) << "M works in a game started from the main menu";
}

TEST_F(QuickClickTest, StartHeldStillKeepsTheFadeOutFromEnding) {
    writeFile(scoreFile, "Ann\n[LAST_PLAYER]\nAnn\n");
    start();
    reachMainMenu();
    send(leftPress(menuX, startY));
    runFor(2.0);
    EXPECT_EQ(gameState, Menu);
    send(leftRelease(menuX, startY));
    runFor(1.1);
    EXPECT_EQ(gameState, Playing);
}

TEST_F(QuickClickTest, WithoutSoundTheSwitchesStillSwitchAndNothingPlays) {
    start();
    app->assets.sounds.audible = false;
    const auto musicBefore = app->assets.sounds.players->music.getStatus();
    reachMainMenu();
    send(keyPress(sf::Keyboard::M));
    send(keyPress(sf::Keyboard::S));
    EXPECT_FALSE(app->audio.musicEnabled);
    EXPECT_FALSE(app->audio.soundEnabled);
    EXPECT_EQ(app->assets.sounds.players->music.getStatus(), musicBefore)
        << "music neither paused nor played";
    quickClick(menuX, settingsY);
    quickClick(arrowX, soundUpY);
    EXPECT_FLOAT_EQ(app->volumes.sound, 21.0f);
    EXPECT_EQ(app->assets.sounds.players->effects[0].sound.getStatus(), sf::SoundSource::Stopped);
}

} // namespace
