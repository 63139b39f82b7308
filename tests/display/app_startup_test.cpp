// Start-up: the layout scale with the sprites at their design positions, the first values, a
// damaged score file set aside, and start-up with files of the catalogue missing.
#include "display_fixture.h"

namespace displaytest {
namespace {

// Sprites at their design positions, at the layout's scale, with their textures: a full-screen picture,
// a menu button, a game-screen button at the right edge, and the last sprite of two rows that a loop
// places, whose places show the loop's start and step.
void expectPlaced(const AssetCatalogue& a, float scaleX) {
    const std::tuple<const sf::Sprite&, float, float> placed[] = {{a.background, 0, 0},
                                                                  {a.startButton.active, 858, 367},
                                                                  {a.quitGameButton, 1847, 22},
                                                                  {a.levelClock[4], 150, 60},
                                                                  {a.endLevelDigits[1], 815, 795}};
    const auto near = [](float value, float expected) { return std::abs(value - expected) < 0.01f; };
    for (const auto& [sprite, x, y] : placed) {
        const sf::Vector2u size = sprite.getTexture()->getSize();
        const sf::FloatRect bounds = sprite.getGlobalBounds();
        EXPECT_TRUE(size.x > 0 && near(bounds.left, x * scaleX) && near(bounds.top, y) &&
                    near(bounds.width, static_cast<float>(size.x) * scaleX) &&
                    near(bounds.height, static_cast<float>(size.y)))
            << "the sprite at " << x << "," << y;
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
              std::tuple(sf::Vector2f(1361 * scaleX, 256), sf::Vector2f(1361 * scaleX, 258), -1));
    EXPECT_EQ(readFile(scoreFile), "") << "a damaged file is emptied";
    EXPECT_EQ(readFile(scoreFile + ".bak"), "Ann\n1,2\n[LAST_PLAYER]\nAnn\n");
    reachMainMenu();
    click(menuX, quitY);
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
