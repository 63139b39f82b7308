// Start-up: the layout scale with every catalogue sprite at its design position, the first values, a
// damaged score file set aside, and start-up with files of the catalogue missing.
#include "display_fixture.h"

namespace displaytest {
namespace {

// Each catalogue sprite that has a design position, and the positions (x, y) in the same order.
void expectPlaced(const AssetCatalogue& a, float scaleX) {
    const std::reference_wrapper<const sf::Sprite> sprites[] = {a.startPage,
                                                                a.menuPage,
                                                                a.settingsPage,
                                                                a.background,
                                                                a.gameOverPicture,
                                                                a.congratulationsPicture,
                                                                a.backdrop,
                                                                a.startButton.active,
                                                                a.settingsButton.normal,
                                                                a.musicUp,
                                                                a.musicDown,
                                                                a.soundUp,
                                                                a.soundDown,
                                                                a.modeButtons[0].normal,
                                                                a.modeButtons[1].active,
                                                                a.modeButtons[2].normal,
                                                                a.modeButtons[3].normal,
                                                                a.modeButtons[4].normal,
                                                                a.modeButtons[5].active,
                                                                a.backButton,
                                                                a.instructionsButton.normal,
                                                                a.aboutButton.active,
                                                                a.quitButton.normal,
                                                                a.enterYourName,
                                                                a.trashTube,
                                                                a.musicButton,
                                                                a.soundButton,
                                                                a.mainMenuButton,
                                                                a.pauseButton,
                                                                a.quitGameButton,
                                                                a.levelClock[2],
                                                                a.levelClock[4],
                                                                a.levelDigits[1],
                                                                a.endLevelDigits[0],
                                                                a.endLevelDigits[1],
                                                                a.endMessages[0],
                                                                a.endMessages[3]};
    const float at[] = {0,   0,    0,   0,    0,   0,    0,   0,    0,   0,    0,   0,    0,   0,    858,
                        367, 856,  504, 403,  341, 403,  489, 403,  678, 403,  826, 906,  260, 879,  335,
                        907, 410,  854, 485,  846, 663,  883, 738,  832, 861,  855, 640,  857, 775,  859,
                        911, 1349, 202, 1773, 113, 1543, 22,  1619, 22,  1695, 22,  1771, 22,  1847, 22,
                        100, 60,   150, 60,   353, 60,   799, 795,  815, 795,  695, 571,  695, 571};
    ASSERT_EQ(std::size(at), 2 * std::size(sprites));
    const auto near = [](float value, float expected) { return std::abs(value - expected) < 0.01f; };
    for (std::size_t i = 0; i < std::size(sprites); ++i) {
        const sf::Vector2u size = sprites[i].get().getTexture()->getSize();
        const sf::FloatRect bounds = sprites[i].get().getGlobalBounds();
        EXPECT_TRUE(size.x > 0 && near(bounds.left, at[2 * i] * scaleX) && near(bounds.top, at[2 * i + 1]) &&
                    near(bounds.width, static_cast<float>(size.x) * scaleX) &&
                    near(bounds.height, static_cast<float>(size.y)))
            << "sprite " << i << " at " << at[2 * i] << "," << at[2 * i + 1];
    }
}

class StartupTest : public AppTest, public ::testing::WithParamInterface<std::pair<unsigned, float>> {};

TEST_P(StartupTest, ScalesEverySpriteStartsWithFirstValuesAndButtonsReactWhereDrawn) {
    const auto [width, scaleX] = GetParam();
    writeFile(scoreFile, "Ann\n1,2\n[LAST_PLAYER]\nAnn\n");
    start(width, 1080);
    EXPECT_EQ(std::pair(app->layout.scaleX, app->layout.scaleY), std::pair(scaleX, 1.0f));
    expectPlaced(app->assets, scaleX);
    EXPECT_TRUE(gameState == StartPage && app->menuPage == MainMenu && app->startWaiting);
    EXPECT_FALSE(app->menuShown || app->gameReady || app->cursorVisible);
    const ModeSettings& mode = app->game.mode; // the start-up values, not the Normal button's
    EXPECT_EQ(std::tuple(mode.gameMode, mode.diamondChance, mode.trashChance, mode.fallSpeedupPerLevel),
              std::tuple(Normal, 1, 10, 0.0075f));
    EXPECT_EQ(app->assets.startPage.getColor().a + app->assets.gameOverPicture.getColor().a, 0);
    const SoundPlayers* heard = app->assets.sounds.players.get(); // at the volumes the settings page shows
    ASSERT_TRUE(heard != nullptr);
    EXPECT_EQ(
        std::pair(std::lround(heard->music.getVolume()), std::lround(heard->effects[7].sound.getVolume())),
        std::pair(2L, 20L));
    EXPECT_EQ(std::tuple(app->players.nameText.getPosition(), app->players.wrongInputText.getPosition(),
                         app->players.lastPlayerIndex),
              std::tuple(sf::Vector2f(1355 * scaleX, 256), sf::Vector2f(1355 * scaleX, 258), -1));
    EXPECT_EQ(readFile(scoreFile), "") << "a damaged file is emptied";
    EXPECT_EQ(readFile(scoreFile + ".bak"), "Ann\n1,2\n[LAST_PLAYER]\nAnn\n");
    reachMainMenu();
    click(960, 964);
    EXPECT_FALSE(app->window.isOpen()) << "Quit";
}

INSTANTIATE_TEST_SUITE_P(Desktops, StartupTest,
                         ::testing::Values(std::pair(1920u, 1.0f), std::pair(2560u, 4.0f / 3.0f)));

TEST_F(AppTest, StartsAndRunsWithoutFontCursorMusicSomePicturesAndASound) {
    namespace fs = std::filesystem;
    const fs::path source = fs::current_path();
    fs::create_directories(dir / "assets");
    for (const auto& entry : fs::directory_iterator(source / "assets")) {
        const std::string name = entry.path().filename().string();
        if (name != "COOPBL.TTF" && name != "cursor.png" && name != "tavrelloMusic.ogg" &&
            name != "start_gray.png" && name != "gem_90.png" && name != "alert.mp3") {
            fs::create_symlink(entry.path(), dir / "assets" / name);
        }
    }
    fs::current_path(dir);
    start();
    EXPECT_FALSE(app->assets.cursorInstalled || app->assets.sounds.musicOpened);
    EXPECT_EQ(app->assets.startButton.normal.getGlobalBounds().width, 0.0f);
    reachMainMenu();
    send(key(sf::Keyboard::M));
    EXPECT_FALSE(app->audio.musicEnabled) << "the music switch still switches";
    fs::current_path(source);
}

} // namespace
} // namespace displaytest
