// Loads the asset catalogue in its fixed order. A file that fails to load leaves an empty object and
// start-up goes on: an empty texture draws nothing, an empty buffer plays silence.
#include "view/assets.h"

#include "scores/diagnostics.h"
#include "view/audio_device.h"
#include "view/positions.h"

#include <iterator>

namespace {

const std::string assetDir = "assets/";
constexpr float effectVolume = 20.0f;
constexpr float musicStartVolume = 2.0f;

constexpr DesignPoint topLeft{0, 0};

void loadSprite(sf::Texture& texture, sf::Sprite& sprite, const std::string& file, DesignPoint at,
                float scaleX, float scaleY) {
    texture.loadFromFile(assetDir + file);
    sprite.setTexture(texture, true);
    placeSprite(sprite, at.x, at.y, scaleX, scaleY);
}

void loadPair(ButtonPair& pair, const std::string& normalFile, const std::string& activeFile, DesignPoint at,
              float scaleX, float scaleY) {
    loadSprite(pair.normalTexture, pair.normal, normalFile, at, scaleX, scaleY);
    loadSprite(pair.activeTexture, pair.active, activeFile, at, scaleX, scaleY);
}

void makeTransparent(sf::Sprite& sprite) {
    sprite.setColor(sf::Color(255, 255, 255, 0));
}

void loadMenuPictures(AssetCatalogue& a, float sx, float sy) {
    loadSprite(a.startPageTexture, a.startPage, "start_page.png", topLeft, sx, sy);
    makeTransparent(a.startPage);
    loadSprite(a.menuPageTexture, a.menuPage, "menu_page.png", topLeft, sx, sy);
    makeTransparent(a.menuPage);
    loadPair(a.startButton, "start_gray.png", "start_pink.png", positions::startButton, sx, sy);
    loadPair(a.settingsButton, "settings_gray.png", "settings_pink.png", positions::settingsButton, sx, sy);
    a.upArrowTexture.loadFromFile(assetDir + "upArrow.png");
    a.downArrowTexture.loadFromFile(assetDir + "downArrow.png");
    sf::Sprite* const arrows[] = {&a.musicUp, &a.musicDown, &a.soundUp, &a.soundDown};
    for (std::size_t i = 0; i < std::size(arrows); ++i) {
        arrows[i]->setTexture(i % 2 == 0 ? a.upArrowTexture : a.downArrowTexture, true);
        placeSprite(*arrows[i], positions::volumeArrowX, positions::volumeArrowY[i], sx, sy);
    }
    const char* const modes[][2] = {{"easy.png", "easyActive.png"},
                                    {"normal.png", "normalActive.png"},
                                    {"hard.png", "hardActive.png"},
                                    {"veryHard.png", "veryHardActive.png"},
                                    {"ColorLines.png", "ColorLinesActive.png"},
                                    {"casual.png", "casualActive.png"}};
    for (std::size_t i = 0; i < a.modeButtons.size(); ++i) {
        loadPair(a.modeButtons[i], modes[i][0], modes[i][1], positions::modeButtons[i], sx, sy);
    }
    loadSprite(a.backTexture, a.backButton, "back.png", positions::backButton, sx, sy);
    loadPair(a.instructionsButton, "instructions_gary.png", "instructions_pink.png",
             positions::instructionsButton, sx, sy);
    loadPair(a.aboutButton, "about_gray.png", "about_pink.png", positions::aboutButton, sx, sy);
    loadPair(a.quitButton, "quit_gray.png", "quit_pink.png", positions::quitButton, sx, sy);
    loadSprite(a.settingsPageTexture, a.settingsPage, "settings.png", topLeft, sx, sy);
    loadSprite(a.instructionsPageTexture, a.instructionsPage, "instructions.png", topLeft, sx, sy);
    loadSprite(a.aboutPageTexture, a.aboutPage, "about.png", topLeft, sx, sy);
    loadSprite(a.enterYourNameTexture, a.enterYourName, "enterYourName.png", positions::enterYourName, sx,
               sy);
}

// A sprite made on the first of two textures; the game swaps them later.
void loadSwapButton(sf::Texture& first, sf::Texture& second, sf::Sprite& sprite, const std::string& firstFile,
                    const std::string& secondFile, int index, float sx, float sy) {
    loadSprite(first, sprite, firstFile, placeInRow(positions::gameButtons, index), sx, sy);
    second.loadFromFile(assetDir + secondFile);
}

void loadDigitSet(DigitTextureSet& set, const std::string& prefix) {
    for (std::size_t n = 0; n < set.size(); ++n) {
        set[n].loadFromFile(assetDir + prefix + std::to_string(n) + ".png");
    }
}

void loadDigits(AssetCatalogue& a, float sx, float sy) {
    loadDigitSet(a.digitTextures, "digit_");
    a.colonTexture.loadFromFile(assetDir + "digit_colon.png");
    const sf::Texture* clockStart[] = {&a.digitTextures[0], &a.digitTextures[1], &a.colonTexture,
                                       &a.digitTextures[0], &a.digitTextures[0]};
    for (std::size_t i = 0; i < a.levelClock.size(); ++i) {
        a.levelClock[i].setTexture(*clockStart[i], true);
        const DesignPoint at = placeInRow(positions::levelClock, static_cast<int>(i));
        placeSprite(a.levelClock[i], at.x, at.y, sx, sy);
    }
    for (std::size_t i = 0; i < a.levelDigits.size(); ++i) {
        a.levelDigits[i].setTexture(a.digitTextures[i], true);
        const DesignPoint at = placeInRow(positions::levelDigits, static_cast<int>(i));
        placeSprite(a.levelDigits[i], at.x, at.y, sx, sy);
    }
}

void loadGamePictures(AssetCatalogue& a, float sx, float sy) {
    loadSprite(a.backgroundTexture, a.background, "background.png", topLeft, sx, sy);
    loadSprite(a.backgroundCasualTexture, a.backgroundCasual, "backgroundCasual.png", topLeft, sx, sy);
    loadSprite(a.backgroundColorLinesTexture, a.backgroundColorLines, "backgroundColorLines.png", topLeft, sx,
               sy);
    loadSprite(a.trashTubeTexture, a.trashTube, "TrashTube.png", positions::trashTube, sx, sy);
    loadSwapButton(a.musicOnTexture, a.musicOffTexture, a.musicButton, "button_music_on.png",
                   "button_music_off.png", 0, sx, sy);
    loadSwapButton(a.soundOnTexture, a.soundOffTexture, a.soundButton, "button_sound_on.png",
                   "button_sound_off.png", 1, sx, sy);
    loadSprite(a.mainMenuTexture, a.mainMenuButton, "button_main_menu.png",
               placeInRow(positions::gameButtons, 2), sx, sy);
    loadSwapButton(a.pauseTexture, a.resumeTexture, a.pauseButton, "button_pause.png", "button_resume.png", 3,
                   sx, sy);
    loadSprite(a.quitGameTexture, a.quitGameButton, "button_quit.png", placeInRow(positions::gameButtons, 4),
               sx, sy);
    loadDigits(a, sx, sy);
    loadSprite(a.gameOverTexture, a.gameOverPicture, "game_over.png", topLeft, sx, sy);
    makeTransparent(a.gameOverPicture);
    loadSprite(a.congratulationsTexture, a.congratulationsPicture, "congratulations.png", topLeft, sx, sy);
    for (std::size_t i = 0; i < a.endMessages.size(); ++i) {
        loadSprite(a.endMessageTextures[i], a.endMessages[i], "GO" + std::to_string(i + 1) + ".png",
                   positions::endMessage, sx, sy);
    }
    loadDigitSet(a.endDigitTextures, "digit_b");
    for (std::size_t i = 0; i < a.endLevelDigits.size(); ++i) {
        a.endLevelDigits[i].setTexture(a.endDigitTextures[i], true);
        const DesignPoint at = placeInRow(positions::endLevelDigits, static_cast<int>(i));
        placeSprite(a.endLevelDigits[i], at.x, at.y, sx, sy);
    }
    loadSprite(a.natureTexture, a.backdrop, "nature.png", topLeft, sx, sy);
}

const char* const gemFiles[] = {"thread_segment.png", "gem_90.png",      "gem_80.png",   "gem_70.png",
                                "gem_60.png",         "gem_50.png",      "gem_40.png",   "gem_30.png",
                                "gem_20.png",         "gem_diamond.png", "gem_trash.png"};

} // namespace

void placeSprite(sf::Sprite& sprite, float x, float y, float scaleX, float scaleY) {
    sprite.setScale(scaleX, scaleY);
    sprite.setPosition(x * scaleX, y * scaleY);
}

void loadPictures(AssetCatalogue& assets, float scaleX, float scaleY) {
    loadMenuPictures(assets, scaleX, scaleY);
    loadGamePictures(assets, scaleX, scaleY);
}

void loadCursorAndGems(AssetCatalogue& assets, sf::Window& window, float scaleX, float scaleY) {
    if (assets.cursorImage.loadFromFile(assetDir + "cursor.png") &&
        assets.cursor.loadFromPixels(assets.cursorImage.getPixelsPtr(), assets.cursorImage.getSize(),
                                     {0, 0})) {
        window.setMouseCursor(assets.cursor);
        assets.cursorInstalled = true;
    }
    for (std::size_t i = 0; i < assets.threadTextures.size(); ++i) {
        assets.threadTextures[i].loadFromFile(assetDir + gemFiles[i]);
    }
    for (std::size_t i = 0; i < assets.fallTextures.size(); ++i) {
        assets.fallTextures[i].loadFromFile(assetDir + gemFiles[i + 1]);
    }
    for (std::size_t i = 0; i < assets.patternTextures.size(); ++i) {
        assets.patternTextures[i].loadFromFile(assetDir + gemFiles[i]);
    }
    assets.fallingGem.setTexture(assets.fallTextures[static_cast<std::size_t>(std::rand() % 3)], true);
    assets.fallingGem.setScale(scaleX, scaleY);
    for (auto& sprite : assets.threadSprites) {
        sprite.setScale(scaleX, scaleY);
    }
    for (auto& sprite : assets.patternSprites) {
        sprite.setScale(scaleX, scaleY);
    }
}

void loadAudio(Sounds& sounds) {
    if (!audioDeviceAvailable()) {
        report(Diagnostic::NoAudioDevice);
        return;
    }
    sounds.players = std::make_unique<SoundPlayers>();
    sounds.audible = true;
    SoundPlayers& p = *sounds.players;
    const char* const files[] = {"gem_fall.mp3", "pattern_shift.mp3", "applause.mp3", "defeat.mp3",
                                 "alert.mp3",    "trash_drop.mp3",    "level_up.mp3", "level11_up.mp3"};
    for (std::size_t i = 0; i < p.effects.size(); ++i) {
        p.effects[i].buffer.loadFromFile(assetDir + files[i]);
        p.effects[i].sound.setBuffer(p.effects[i].buffer);
        p.effects[i].sound.setVolume(effectVolume);
    }
    sounds.musicOpened = p.music.openFromFile(assetDir + "tavrelloMusic.ogg");
    if (sounds.musicOpened) {
        p.music.setLoop(true);
        p.music.setVolume(musicStartVolume);
        p.music.play();
    }
}

void loadFont(AssetCatalogue& assets) {
    assets.font.loadFromFile(assetDir + "COOPBL.TTF");
}
