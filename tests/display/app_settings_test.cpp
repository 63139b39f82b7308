// The settings page: volume arrows (quick, deliberate and held clicks, bounds, what the audio gets, the
// read-outs as drawn), the mode buttons and back, and the player panel on a real file.
#include "display_fixture.h"

#include "scores/highscore_file.h"
#include "view/menu_pages.h"

namespace displaytest {
namespace {

using SettingsTest = AppTest;

TEST_F(SettingsTest, ArrowsStepOnceAClickRepeatWhenHeldStayInBoundsAndReachTheAudio) {
    start();
    openSettings();
    for (const sf::IntRect readout :
         {sf::IntRect(positions::musicVolume.x, positions::musicVolume.y, 72, 34),
          sf::IntRect(positions::soundVolume.x, positions::soundVolume.y, 72, 34)}) {
        EXPECT_GT(changedPixels(shot(), "settings.png", readout), 100) << "read-out drawn at once";
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
    app->audio.soundEnabled = false;
    app->volumes = {100, 0};
    quickClick(arrowX, musicUpY);
    quickClick(arrowX, soundDownY);
    // An arrow at its bound switches its audio on: the music plays, and the sample.
    EXPECT_EQ(std::tuple(app->volumes.music, app->volumes.sound, app->audio.musicEnabled,
                         app->audio.soundEnabled, music(*app).getStatus(),
                         sound(*app, SoundEffectId::GemFall).getStatus()),
              std::tuple(100.0f, 0.0f, true, true, sf::SoundSource::Playing, sf::SoundSource::Playing));
}

TEST_F(SettingsTest, ModeButtonsSetTheirModeAndReturnButNotForTheClickThatOpenedThePage) {
    start();
    reachMainMenu();
    press(960, 530); // on Settings here, on VeryHard on the page it opens
    runFor(0.3);
    release();
    ASSERT_EQ(app->menuPage, Settings);
    EXPECT_EQ(app->game.mode.diamondChance, 1) << "no mode chosen";
    const sf::Image page = shot();
    for (const ButtonPair& button : app->assets.modeButtons) {
        const sf::IntRect area(button.normal.getGlobalBounds());
        EXPECT_GT(changedPixels(page, "settings.png", area), area.width * area.height / 4) << "each drawn";
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

TEST_F(SettingsTest, TypedNamesAreRegisteredRefusedOrWarnedAbout) {
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
    // An ASCII letter hides the warning at once, a Backspace that erases leaves it, one on the empty field
    // hides it.
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

TEST_F(SettingsTest, TheListShowsSelectsAndDeletesPlayers) {
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
    EXPECT_EQ(readPlayerNames(scoreFile), (std::vector<std::string>{"Ann", "Cid"}));
    EXPECT_TRUE(app->players.currentPlayer == "Cid" && app->players.lastPlayerIndex == 1);
    for (int i = 0; i < 3; ++i) { // the last press finds no current player and does nothing
        send(key(sf::Keyboard::Delete));
    }
    EXPECT_TRUE(app->players.currentPlayer.empty() && app->players.lastPlayerIndex == -1);
    EXPECT_EQ(readFile(scoreFile), "[LAST_PLAYER]\n\n");
}

class TextFitTest : public AppTest, public ::testing::WithParamInterface<std::pair<unsigned, unsigned>> {};

// The longest name the field takes lies inside, and fills at least half of, the field (inside its
// border), its list row (between the ruled lines) and the game screen's name plates, at their design
// places; so does the warning, and the caret after the name; a click on either end of the listed name
// selects it.
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

INSTANTIATE_TEST_SUITE_P(Screens, TextFitTest,
                         ::testing::Values(std::pair(800u, 600u), std::pair(1024u, 768u),
                                           std::pair(1280u, 1024u), std::pair(1920u, 1080u),
                                           std::pair(2560u, 1080u), std::pair(3840u, 2160u)));

} // namespace
} // namespace displaytest
