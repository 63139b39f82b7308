// Start-up: the layout scale with every catalogue sprite at its design position, the first values, a
// damaged score file set aside, and start-up with files of the catalogue missing.
#include "display_fixture.h"

namespace displaytest {
namespace {

template <typename... Sprite> std::vector<const sf::Sprite*> listOf(const Sprite&... sprites) {
    return {&sprites...};
}

// Each catalogue sprite that has a design position, and the positions (x, y) in the same order.
void expectPlaced(const AssetCatalogue& a, float scaleX) {
    const auto sprites = listOf(
        a.startPage, a.menuPage, a.settingsPage, a.background, a.gameOverPicture, a.congratulationsPicture,
        a.backdrop, a.startButton.active, a.settingsButton.normal, a.musicUp, a.musicDown, a.soundUp,
        a.soundDown, a.modeButtons[0].normal, a.modeButtons[1].active, a.modeButtons[2].normal,
        a.modeButtons[3].normal, a.modeButtons[4].normal, a.modeButtons[5].active, a.backButton,
        a.instructionsButton.normal, a.aboutButton.active, a.quitButton.normal, a.enterYourName, a.trashTube,
        a.musicButton, a.soundButton, a.mainMenuButton, a.pauseButton, a.quitGameButton, a.levelClock[2],
        a.levelClock[4], a.levelDigits[1], a.endLevelDigits[0], a.endLevelDigits[1], a.endMessages[0],
        a.endMessages[3]);
    const float at[] = {0,   0,    0,   0,    0,   0,    0,   0,    0,   0,    0,   0,    0,   0,    858,
                        367, 856,  504, 403,  341, 403,  489, 403,  678, 403,  826, 906,  260, 879,  335,
                        907, 410,  854, 485,  846, 663,  883, 738,  832, 861,  855, 640,  857, 775,  859,
                        911, 1349, 202, 1773, 113, 1543, 22,  1619, 22,  1695, 22,  1771, 22,  1847, 22,
                        100, 60,   150, 60,   353, 60,   799, 795,  815, 795,  695, 571,  695, 571};
    ASSERT_EQ(std::size(at), 2 * sprites.size());
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        const sf::Vector2u size = sprites[i]->getTexture()->getSize();
        const sf::FloatRect bounds = sprites[i]->getGlobalBounds();
        const auto near = [](float value, float expected) { return std::abs(value - expected) < 0.01f; };
        EXPECT_TRUE(size.x > 0 && near(bounds.left, at[2 * i] * scaleX) && near(bounds.top, at[2 * i + 1]) &&
                    near(bounds.width, static_cast<float>(size.x) * scaleX) &&
                    near(bounds.height, static_cast<float>(size.y)))
            << "sprite " << i << " at " << at[2 * i] << "," << at[2 * i + 1];
    }
}

struct Desktop {
    unsigned width, height;
    float scaleX;
};

class StartupTest : public AppTest, public ::testing::WithParamInterface<Desktop> {};

TEST_P(StartupTest, ScalesEverySpriteStartsWithFirstValuesAndButtonsReactWhereDrawn) {
    const Desktop desktop = GetParam();
    writeFile(scoreFile, "Ann\n1,2\n[LAST_PLAYER]\nAnn\n");
    start(desktop.width, desktop.height);
    EXPECT_FLOAT_EQ(app->layout.scaleX, desktop.scaleX);
    EXPECT_FLOAT_EQ(app->layout.scaleY, 1.0f);
    expectPlaced(app->assets, desktop.scaleX);
    EXPECT_TRUE(gameState == StartPage && app->menuPage == MainMenu && app->startWaiting);
    EXPECT_FALSE(app->menuShown || app->gameReady || app->cursorVisible);
    const ModeSettings& mode = app->game.mode; // the start-up values, not the Normal button's
    EXPECT_EQ(std::tuple(mode.gameMode, mode.diamondChance, mode.trashChance), std::tuple(Normal, 1, 10));
    EXPECT_FLOAT_EQ(mode.fallSpeedupPerLevel, 0.0075f);
    EXPECT_EQ(app->assets.startPage.getColor().a + app->assets.gameOverPicture.getColor().a, 0);
    EXPECT_EQ(app->players.wrongInputText.getString(), "Wrong input language");
    EXPECT_EQ(app->players.nameText.getPosition(), sf::Vector2f(1355 * desktop.scaleX, 256));
    EXPECT_EQ(app->players.wrongInputText.getPosition(), sf::Vector2f(1355 * desktop.scaleX, 258));
    EXPECT_EQ(app->players.lastPlayerIndex, -1);
    EXPECT_EQ(readFile(scoreFile), "") << "a damaged file is emptied";
    EXPECT_EQ(readFile(scoreFile + ".bak"), "Ann\n1,2\n[LAST_PLAYER]\nAnn\n");
    reachMainMenu();
    click(960, 964);
    EXPECT_FALSE(app->window.isOpen()) << "Quit";
}

INSTANTIATE_TEST_SUITE_P(Desktops, StartupTest,
                         ::testing::Values(Desktop{1920, 1080, 1.0f}, Desktop{2560, 1080, 4.0f / 3.0f}));

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
