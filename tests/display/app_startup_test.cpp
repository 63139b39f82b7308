// Start-up: the layout scale, every catalogue sprite at its design position, the first values of the
// screen flow, and start-up with pieces of the catalogue missing.
#include "app_fixture.h"

using namespace apptest;

namespace {

struct Placed {
    const char* name;
    const sf::Sprite* sprite;
    float x, y;
};

std::vector<Placed> placedSprites(const AssetCatalogue& a) {
    std::vector<Placed> all = {
        {"start_page", &a.startPage, 0, 0},
        {"menu_page", &a.menuPage, 0, 0},
        {"start", &a.startButton.normal, 858, 367},
        {"start pink", &a.startButton.active, 858, 367},
        {"settings", &a.settingsButton.normal, 856, 504},
        {"music up", &a.musicUp, 403, 341},
        {"music down", &a.musicDown, 403, 489},
        {"sound up", &a.soundUp, 403, 678},
        {"sound down", &a.soundDown, 403, 826},
        {"easy", &a.modeButtons[0].normal, 906, 260},
        {"normal active", &a.modeButtons[1].active, 879, 335},
        {"hard", &a.modeButtons[2].normal, 907, 410},
        {"very hard", &a.modeButtons[3].normal, 854, 485},
        {"color lines", &a.modeButtons[4].normal, 846, 663},
        {"casual active", &a.modeButtons[5].active, 883, 738},
        {"back", &a.backButton, 832, 861},
        {"instructions", &a.instructionsButton.normal, 855, 640},
        {"about pink", &a.aboutButton.active, 857, 775},
        {"quit", &a.quitButton.normal, 859, 911},
        {"settings page", &a.settingsPage, 0, 0},
        {"enter your name", &a.enterYourName, 1349, 202},
        {"background", &a.background, 0, 0},
        {"tube", &a.trashTube, 1773, 113},
        {"music button", &a.musicButton, 1543, 22},
        {"sound button", &a.soundButton, 1619, 22},
        {"main menu button", &a.mainMenuButton, 1695, 22},
        {"pause button", &a.pauseButton, 1771, 22},
        {"quit button", &a.quitGameButton, 1847, 22},
        {"game over", &a.gameOverPicture, 0, 0},
        {"congratulations", &a.congratulationsPicture, 0, 0},
        {"nature", &a.backdrop, 0, 0},
        {"clock colon", &a.levelClock[2], 100, 60},
        {"clock seconds units", &a.levelClock[4], 150, 60},
        {"level units", &a.levelDigits[1], 353, 60},
        {"end level tens", &a.endLevelDigits[0], 799, 795},
        {"end level units", &a.endLevelDigits[1], 815, 795},
    };
    for (std::size_t i = 0; i < a.endMessages.size(); ++i) {
        all.push_back({"end message", &a.endMessages[i], 695, 571});
    }
    return all;
}

void expectPlacedAtScale(const AssetCatalogue& assets, float sx, float sy) {
    for (const Placed& p : placedSprites(assets)) {
        const sf::Vector2u size = p.sprite->getTexture()->getSize();
        ASSERT_GT(size.x, 0u) << p.name << " has no picture";
        const sf::FloatRect bounds = p.sprite->getGlobalBounds();
        EXPECT_NEAR(bounds.left, p.x * sx, 0.01) << p.name;
        EXPECT_NEAR(bounds.top, p.y * sy, 0.01) << p.name;
        EXPECT_NEAR(bounds.width, static_cast<float>(size.x) * sx, 0.01) << p.name;
        EXPECT_NEAR(bounds.height, static_cast<float>(size.y) * sy, 0.01) << p.name;
    }
}

} // namespace

using StartupTest = AppTest;

TEST_F(StartupTest, OnAFullHdDesktopEveryDesignPointIsAPixel) {
    start(1920, 1080);
    EXPECT_FLOAT_EQ(app->layout.scaleX, 1.0f);
    EXPECT_FLOAT_EQ(app->layout.scaleY, 1.0f);
    expectPlacedAtScale(app->assets, 1.0f, 1.0f);
}

TEST_F(StartupTest, OnAWideDesktopPicturesStretchHorizontallyAndButtonsReactWhereDrawn) {
    start(2560, 1080);
    EXPECT_FLOAT_EQ(app->layout.scaleX, 2560.0f / 1920.0f);
    EXPECT_FLOAT_EQ(app->layout.scaleY, 1.0f);
    expectPlacedAtScale(app->assets, 2560.0f / 1920.0f, 1.0f);
    reachMainMenu();
    const int quitX = static_cast<int>(960 * app->layout.scaleX);
    click(quitX, 964);
    EXPECT_FALSE(app->window.isOpen());
}

TEST_F(StartupTest, FirstValuesBeforeAnyFrame) {
    start();
    EXPECT_EQ(gameState, StartPage);
    EXPECT_EQ(app->menuPage, MainMenu);
    EXPECT_TRUE(app->startWaiting);
    EXPECT_FALSE(app->gameReady);
    EXPECT_FALSE(app->cursorVisible);
    EXPECT_EQ(app->game.mode.gameMode, Normal);
    EXPECT_EQ(app->game.mode.diamondChance, 1);
    EXPECT_EQ(app->game.mode.trashChance, 10);
    EXPECT_FLOAT_EQ(app->game.mode.fallSpeedupPerLevel, 0.0075f);
    EXPECT_EQ(app->assets.startPage.getColor().a, 0);
    EXPECT_EQ(app->assets.gameOverPicture.getColor().a, 0);
    EXPECT_EQ(app->players.wrongInputText.getString(), "Wrong input language");
    EXPECT_EQ(app->players.lastPlayerIndex, -1);
}

TEST_F(StartupTest, AMalformedScoreFileIsEmptiedAndKeptAsACopy) {
    writeFile(scoreFile, "Ann\n1,2\n[LAST_PLAYER]\nAnn\n");
    start();
    EXPECT_EQ(readFile(scoreFile), "");
    EXPECT_EQ(readFile(scoreFile + ".bak"), "Ann\n1,2\n[LAST_PLAYER]\nAnn\n");
}

// Runs a copy of the catalogue with some files missing: start-up and play go on.
TEST(StartupWithMissingAssets, TheGameStartsAndRunsWithoutFontCursorMusicAndSomePictures) {
    namespace fs = std::filesystem;
    const fs::path source = fs::current_path();
    const fs::path copy = fs::temp_directory_path() / "tavrello-missing-assets";
    fs::remove_all(copy);
    fs::create_directories(copy / "assets");
    for (const auto& entry : fs::directory_iterator(source / "assets")) {
        const std::string name = entry.path().filename().string();
        if (name != "COOPBL.TTF" && name != "cursor.png" && name != "tavrelloMusic.ogg" &&
            name != "start_gray.png" && name != "gem_90.png" && name != "alert.mp3") {
            fs::copy(entry.path(), copy / "assets" / name);
        }
    }
    fs::current_path(copy);
    {
        auto app = std::make_unique<AppContext>();
        app->time.manual = true;
        app->input.mousePosition = &readScriptedMouse;
        app->input.keyHeld = &scriptedKeyHeld;
        startApp(*app, sf::VideoMode(1920, 1080), sf::Style::None);
        EXPECT_FALSE(app->assets.cursorInstalled);
        EXPECT_FALSE(app->assets.sounds.musicOpened);
        EXPECT_EQ(app->assets.startButton.normal.getGlobalBounds().width, 0.0f);
        stepFrame(*app);
        handleEvent(*app, keyPress(sf::Keyboard::Space));
        for (int i = 0; i < 300; ++i) {
            advance(app->time, 0.01);
            stepFrame(*app);
        }
        EXPECT_EQ(gameState, Menu);
        EXPECT_TRUE(app->window.isOpen());
    }
    fs::current_path(source);
    fs::remove_all(copy);
}
