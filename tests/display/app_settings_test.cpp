// The settings page: volume arrows with their repeat and bounds, the mode buttons, and the player panel
// (name entry, warning, Delete, the list and its clickable rows) on a real temporary high-score file.
#include "app_fixture.h"

#include "scores/highscore_file.h"

using namespace apptest;

namespace {
constexpr int menuX = 960, settingsY = 557;
constexpr int musicUpX = 440, musicUpY = 380, musicDownY = 528;
constexpr int soundUpY = 717;
constexpr int hardX = 960, hardY = 440;
constexpr int casualY = 768;
constexpr int backY = 890;
constexpr int listX = 1506;
int rowY(int i) {
    return 410 + 47 * i + 20;
}
} // namespace

class SettingsTest : public AppTest {
  protected:
    void openSettings() {
        start();
        reachMainMenu();
        click(menuX, settingsY);
        ASSERT_EQ(app->menuPage, Settings);
        wait(0.3);
    }
};

TEST_F(SettingsTest, ArrowHeldStillRepeatsEveryFifthOfASecond) {
    openSettings();
    moveMouse(musicUpX, musicUpY);
    send(leftPress(musicUpX, musicUpY));
    frame();
    EXPECT_FLOAT_EQ(app->volumes.music, 3.0f);
    wait(0.1);
    frame();
    EXPECT_FLOAT_EQ(app->volumes.music, 3.0f);
    wait(0.11);
    frame();
    EXPECT_FLOAT_EQ(app->volumes.music, 4.0f);
    for (int i = 0; i < 5; ++i) {
        wait(0.2);
        frame();
    }
    EXPECT_FLOAT_EQ(app->volumes.music, 9.0f);
    send(leftRelease(musicUpX, musicUpY));
    wait(0.5);
    frame();
    EXPECT_FLOAT_EQ(app->volumes.music, 9.0f);
}

TEST_F(SettingsTest, VolumesStayWithinBoundsAndArrowsSwitchAudioOn) {
    openSettings();
    app->audio.soundEnabled = false;
    app->volumes.sound = 100.0f;
    moveMouse(musicUpX, soundUpY);
    send(leftPress(musicUpX, soundUpY));
    frame();
    EXPECT_FLOAT_EQ(app->volumes.sound, 100.0f);
    EXPECT_TRUE(app->audio.soundEnabled);
    send(leftRelease(musicUpX, soundUpY));
    app->volumes.music = 0.0f;
    wait(0.3);
    moveMouse(musicUpX, musicDownY);
    send(leftPress(musicUpX, musicDownY));
    frame();
    EXPECT_FLOAT_EQ(app->volumes.music, 0.0f);
}

TEST_F(SettingsTest, ModeButtonSetsParametersAndAFreshGameFollows) {
    openSettings();
    click(hardX, hardY);
    EXPECT_EQ(app->menuPage, MainMenu);
    EXPECT_EQ(app->game.mode.gameMode, Hard);
    EXPECT_EQ(app->game.mode.diamondChance, 6);
    EXPECT_EQ(app->game.mode.trashChance, 20);
    EXPECT_FLOAT_EQ(app->game.mode.baseFallInterval, 0.6f);
    EXPECT_FLOAT_EQ(app->game.mode.fallSpeedupPerLevel, 0.005f);
    EXPECT_TRUE(app->gameReady); // the frame after the click prepared the new game
}

TEST_F(SettingsTest, TheClickOnSettingsDoesNotPressTheModeButtonBeneathIt) {
    start();
    reachMainMenu();
    // This point lies on the Settings button and, on the page it opens, on the VeryHard button: the
    // press that opened the page stays in force but must not choose a mode.
    constexpr int overlapY = 530;
    moveMouse(menuX, overlapY);
    send(leftPress(menuX, overlapY));
    frame();
    ASSERT_EQ(app->menuPage, Settings);
    wait(0.3);
    frame();
    EXPECT_EQ(app->menuPage, Settings);
    EXPECT_EQ(app->game.mode.gameMode, Normal);
    EXPECT_EQ(app->game.mode.diamondChance, 1); // start-up values, not the Normal button's
}

TEST_F(SettingsTest, BackButtonAndCasualButton) {
    openSettings();
    click(menuX, backY);
    EXPECT_EQ(app->menuPage, MainMenu);
    runFor(1.3);
    click(menuX, settingsY);
    wait(0.3);
    click(menuX, casualY);
    EXPECT_EQ(app->game.mode.gameMode, Casual);
    EXPECT_FLOAT_EQ(app->game.mode.baseFallInterval, 0.2f);
}

using NameEntryTest = SettingsTest;

TEST_F(NameEntryTest, EnterRegistersTheTypedNameAsCurrentAndLastPlayer) {
    openSettings();
    typeText("Masha");
    EXPECT_EQ(app->players.nameInput, "Masha");
    EXPECT_TRUE(app->audio.musicEnabled); // m and s are letters here
    EXPECT_TRUE(app->audio.soundEnabled);
    send(textEntered(13));
    EXPECT_EQ(app->players.currentPlayer, "Masha");
    EXPECT_EQ(app->players.nameInput, "");
    EXPECT_EQ(app->players.lastPlayerIndex, 0);
    EXPECT_EQ(readFile(scoreFile), "Masha\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nMasha\n");
}

TEST_F(NameEntryTest, EmptyNameCommaControlCodesAndTheMarkerAreRefused) {
    openSettings();
    app->namePrompt = true;
    send(textEntered(13));
    EXPECT_TRUE(app->namePrompt);
    EXPECT_FALSE(fileExists(scoreFile));
    typeText("a,b");
    send(textEntered(10));
    send(textEntered(9));
    EXPECT_EQ(app->players.nameInput, "ab");
    app->players.nameInput = "[LAST_PLAYER]";
    send(textEntered(13));
    EXPECT_TRUE(app->namePrompt);
    EXPECT_EQ(app->players.currentPlayer, "");
    EXPECT_FALSE(fileExists(scoreFile));
}

TEST_F(NameEntryTest, NonAsciiShowsTheWarningUntilAnAsciiLetterOrThreeSeconds) {
    openSettings();
    send(textEntered(0x0416)); // a Cyrillic letter
    EXPECT_FALSE(app->players.inputAccepted);
    EXPECT_EQ(app->players.nameInput, "");
    typeText("x");
    EXPECT_TRUE(app->players.inputAccepted);
    EXPECT_EQ(app->players.nameInput, "x");
    send(textEntered(0x0416));
    runFor(2.9);
    EXPECT_FALSE(app->players.inputAccepted);
    runFor(0.2);
    EXPECT_TRUE(app->players.inputAccepted);
    send(textEntered(0x0416));
    send(textEntered(8));
    EXPECT_EQ(app->players.nameInput, ""); // Backspace removed the x
    send(textEntered(8));                  // on an empty field: hides the warning
    EXPECT_TRUE(app->players.inputAccepted);
}

TEST_F(NameEntryTest, TypingStopsOnceTheNameIsTwoHundredTenWide) {
    openSettings();
    typeText(std::string(60, 'W'));
    const std::size_t kept = app->players.nameInput.size();
    EXPECT_GT(kept, 3u);
    EXPECT_LT(kept, 60u);
    app->players.nameText.setString(app->players.nameInput.substr(0, kept - 1));
    EXPECT_LT(app->players.nameText.getLocalBounds().width, 210.0f);
}

TEST_F(NameEntryTest, ExistingNameSelectsThatPlayerAndEleventhNameIsNotStored) {
    std::string file;
    for (int i = 0; i < 10; ++i) {
        file += "P" + std::to_string(i) + "\n";
    }
    writeFile(scoreFile, file + "[LAST_PLAYER]\nP9\n");
    openSettings();
    typeText("P3");
    send(textEntered(13));
    EXPECT_EQ(app->players.lastPlayerIndex, 3);
    typeText("Newcomer");
    send(textEntered(13));
    EXPECT_EQ(app->players.currentPlayer, "Newcomer");
    EXPECT_EQ(app->players.lastPlayerIndex, -1);
    EXPECT_EQ(readPlayerNames(scoreFile).size(), 10u);
    EXPECT_EQ(readLastPlayer(scoreFile), "Newcomer");
}

TEST_F(NameEntryTest, DeleteRemovesTheCurrentPlayerAndMovesTheHighlight) {
    writeFile(scoreFile, "Ann\nBob\nCid\n[LAST_PLAYER]\nBob\n");
    openSettings();
    EXPECT_EQ(app->players.currentPlayer, "Bob");
    send(keyPress(sf::Keyboard::Delete));
    EXPECT_EQ(readPlayerNames(scoreFile), (std::vector<std::string>{"Ann", "Cid"}));
    EXPECT_EQ(app->players.currentPlayer, "Cid");
    EXPECT_EQ(app->players.lastPlayerIndex, 1);
    send(keyPress(sf::Keyboard::Delete));
    send(keyPress(sf::Keyboard::Delete));
    EXPECT_EQ(app->players.currentPlayer, "");
    EXPECT_EQ(app->players.lastPlayerIndex, -1);
    send(keyPress(sf::Keyboard::Delete)); // no current player: nothing happens
    EXPECT_EQ(readFile(scoreFile), "[LAST_PLAYER]\n\n");
}

TEST_F(NameEntryTest, ClickOnARowSelectsItAndTheGapBetweenRowsSelectsNothing) {
    writeFile(scoreFile, "Ann\nBob\nCid\n[LAST_PLAYER]\nAnn\n");
    openSettings();
    frame();
    send(leftPress(listX + 90, rowY(2)));
    EXPECT_EQ(app->players.currentPlayer, "Cid");
    EXPECT_EQ(app->players.lastPlayerIndex, 2);
    EXPECT_EQ(readLastPlayer(scoreFile), "Cid");
    send(leftPress(listX, 410 + 47 + 42)); // in the 7-unit gap under row 1
    EXPECT_EQ(app->players.currentPlayer, "Cid");
    send(leftPress(listX + 101, rowY(0))); // just right of the 200-pixel row
    EXPECT_EQ(app->players.currentPlayer, "Cid");
}
