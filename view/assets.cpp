// Loads the asset catalogue in its fixed order. A file that fails to load leaves an empty object and
// start-up goes on: an empty texture draws nothing, an empty buffer plays silence.
#include "view/assets.h"

#include "view/audio_device.h"

#include <iostream>

namespace {

const std::string assetDir = "assets/";
constexpr float effectVolume = 20.0f;
constexpr float musicStartVolume = 2.0f;

void loadSprite(sf::Texture& texture, sf::Sprite& sprite, const std::string& file, float x, float y,
                float scaleX, float scaleY) {
    texture.loadFromFile(assetDir + file);
    sprite.setTexture(texture, true);
    placeSprite(sprite, x, y, scaleX, scaleY);
}

void loadPair(ButtonPair& pair, const std::string& normalFile, const std::string& activeFile, float x,
              float y, float scaleX, float scaleY) {
    loadSprite(pair.normalTexture, pair.normal, normalFile, x, y, scaleX, scaleY);
    loadSprite(pair.activeTexture, pair.active, activeFile, x, y, scaleX, scaleY);
}

void makeTransparent(sf::Sprite& sprite) {
    sprite.setColor(sf::Color(255, 255, 255, 0));
}

void loadMenuPictures(AssetCatalogue& a, float sx, float sy) {
    loadSprite(a.startPageTexture, a.startPage, "start_page.png", 0, 0, sx, sy);
    makeTransparent(a.startPage);
    loadSprite(a.menuPageTexture, a.menuPage, "menu_page.png", 0, 0, sx, sy);
    makeTransparent(a.menuPage);
    loadPair(a.startButton, "start_gray.png", "start_pink.png", 858, 367, sx, sy);
    loadPair(a.settingsButton, "settings_gray.png", "settings_pink.png", 856, 504, sx, sy);
    a.upArrowTexture.loadFromFile(assetDir + "upArrow.png");
    a.downArrowTexture.loadFromFile(assetDir + "downArrow.png");
    const struct {
        sf::Sprite* sprite;
        const sf::Texture* texture;
        float y;
    } arrows[] = {
        {&a.musicUp, &a.upArrowTexture, 341},
        {&a.musicDown, &a.downArrowTexture, 489},
        {&a.soundUp, &a.upArrowTexture, 678},
        {&a.soundDown, &a.downArrowTexture, 826},
    };
    for (const auto& arrow : arrows) {
        arrow.sprite->setTexture(*arrow.texture, true);
        placeSprite(*arrow.sprite, 403, arrow.y, sx, sy);
    }
    const struct {
        const char* normal;
        const char* active;
        float x, y;
    } modes[] = {
        {"easy.png", "easyActive.png", 906, 260},
        {"normal.png", "normalActive.png", 879, 335},
        {"hard.png", "hardActive.png", 907, 410},
        {"veryHard.png", "veryHardActive.png", 854, 485},
        {"ColorLines.png", "ColorLinesActive.png", 846, 663},
        {"casual.png", "casualActive.png", 883, 738},
    };
    for (std::size_t i = 0; i < a.modeButtons.size(); ++i) {
        loadPair(a.modeButtons[i], modes[i].normal, modes[i].active, modes[i].x, modes[i].y, sx, sy);
    }
    loadSprite(a.backTexture, a.backButton, "back.png", 832, 861, sx, sy);
    loadPair(a.instructionsButton, "instructions_gary.png", "instructions_pink.png", 855, 640, sx, sy);
    loadPair(a.aboutButton, "about_gray.png", "about_pink.png", 857, 775, sx, sy);
    loadPair(a.quitButton, "quit_gray.png", "quit_pink.png", 859, 911, sx, sy);
    loadSprite(a.settingsPageTexture, a.settingsPage, "settings.png", 0, 0, sx, sy);
    loadSprite(a.instructionsPageTexture, a.instructionsPage, "instructions.png", 0, 0, sx, sy);
    loadSprite(a.aboutPageTexture, a.aboutPage, "about.png", 0, 0, sx, sy);
    loadSprite(a.enterYourNameTexture, a.enterYourName, "enterYourName.png", 1349, 202, sx, sy);
}

// A sprite made on the first of two textures; the game swaps them later.
void loadSwapButton(sf::Texture& first, sf::Texture& second, sf::Sprite& sprite, const std::string& firstFile,
                    const std::string& secondFile, float x, float sx, float sy) {
    loadSprite(first, sprite, firstFile, x, 22, sx, sy);
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
        placeSprite(a.levelClock[i], 50.0f + 25.0f * static_cast<float>(i), 60, sx, sy);
    }
    for (std::size_t i = 0; i < a.levelDigits.size(); ++i) {
        a.levelDigits[i].setTexture(a.digitTextures[i], true);
        placeSprite(a.levelDigits[i], 328.0f + 25.0f * static_cast<float>(i), 60, sx, sy);
    }
}

void loadGamePictures(AssetCatalogue& a, float sx, float sy) {
    loadSprite(a.backgroundTexture, a.background, "background.png", 0, 0, sx, sy);
    loadSprite(a.backgroundCasualTexture, a.backgroundCasual, "backgroundCasual.png", 0, 0, sx, sy);
    loadSprite(a.backgroundColorLinesTexture, a.backgroundColorLines, "backgroundColorLines.png", 0, 0, sx,
               sy);
    loadSprite(a.trashTubeTexture, a.trashTube, "TrashTube.png", 1773, 113, sx, sy);
    loadSwapButton(a.musicOnTexture, a.musicOffTexture, a.musicButton, "button_music_on.png",
                   "button_music_off.png", 1543, sx, sy);
    loadSwapButton(a.soundOnTexture, a.soundOffTexture, a.soundButton, "button_sound_on.png",
                   "button_sound_off.png", 1619, sx, sy);
    loadSprite(a.mainMenuTexture, a.mainMenuButton, "button_main_menu.png", 1695, 22, sx, sy);
    loadSwapButton(a.pauseTexture, a.resumeTexture, a.pauseButton, "button_pause.png", "button_resume.png",
                   1771, sx, sy);
    loadSprite(a.quitGameTexture, a.quitGameButton, "button_quit.png", 1847, 22, sx, sy);
    loadDigits(a, sx, sy);
    loadSprite(a.gameOverTexture, a.gameOverPicture, "game_over.png", 0, 0, sx, sy);
    makeTransparent(a.gameOverPicture);
    loadSprite(a.congratulationsTexture, a.congratulationsPicture, "congratulations.png", 0, 0, sx, sy);
    for (std::size_t i = 0; i < a.endMessages.size(); ++i) {
        loadSprite(a.endMessageTextures[i], a.endMessages[i], "GO" + std::to_string(i + 1) + ".png", 695, 571,
                   sx, sy);
    }
    loadDigitSet(a.endDigitTextures, "digit_b");
    for (std::size_t i = 0; i < a.endLevelDigits.size(); ++i) {
        a.endLevelDigits[i].setTexture(a.endDigitTextures[i], true);
        placeSprite(a.endLevelDigits[i], 799.0f + 16.0f * static_cast<float>(i), 795, sx, sy);
    }
    loadSprite(a.natureTexture, a.backdrop, "nature.png", 0, 0, sx, sy);
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
        std::cerr << "Tavrello: no audio device could be opened; the game runs without sound." << std::endl;
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
