// The asset catalogue: every picture, sound, the music, the font and the cursor image, loaded once at
// start-up from "assets/" in a fixed order and kept until exit.
#pragma once

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <array>
#include <memory>
#include <string>

// A button with a normal and a highlighted (or selected) picture at one position.
struct ButtonPair {
    sf::Texture normalTexture;
    sf::Texture activeTexture;
    sf::Sprite normal;
    sf::Sprite active;
};

struct SoundEffect {
    sf::SoundBuffer buffer;
    sf::Sound sound;
};

struct SoundPlayers {
    std::array<SoundEffect, 8> effects; // in SoundEffectId order
    sf::Music music;
};

// The effects and the music, loaded once; the music plays looped from start-up. The players exist only
// with an audio device: without one, every sound object fails loudly from its construction on.
struct Sounds {
    std::unique_ptr<SoundPlayers> players;
    bool musicOpened = false;
    // True while the players exist and their device is there: nothing is ever played, paused, stopped or
    // asked of a sound otherwise, which would only fail (and flood standard error) on every call.
    bool audible = false;
};

using DigitTextureSet = std::array<sf::Texture, 10>;
using GemTextureSet = std::array<sf::Texture, 11>;  // indexed by cell code; entry 0 is the thread segment
using FallTextureSet = std::array<sf::Texture, 10>; // indexed by kind index (cell code - 1)
using LevelClock = std::array<sf::Sprite, 5>;       // minutes tens, minutes units, colon, seconds tens, units
using TwoDigits = std::array<sf::Sprite, 2>;

struct AssetCatalogue {
    // Screens and menus.
    sf::Texture startPageTexture, menuPageTexture;
    sf::Sprite startPage, menuPage;
    ButtonPair startButton, settingsButton;
    sf::Texture upArrowTexture, downArrowTexture;
    sf::Sprite musicUp, musicDown, soundUp, soundDown;
    std::array<ButtonPair, 6> modeButtons; // Easy, Normal, Hard, VeryHard, ColorLines, Casual
    sf::Texture backTexture;
    sf::Sprite backButton;
    ButtonPair instructionsButton, aboutButton, quitButton;
    sf::Texture settingsPageTexture, instructionsPageTexture, aboutPageTexture, enterYourNameTexture;
    sf::Sprite settingsPage, instructionsPage, aboutPage, enterYourName;

    // Game screen.
    sf::Texture backgroundTexture, backgroundCasualTexture, backgroundColorLinesTexture, trashTubeTexture;
    sf::Sprite background, backgroundCasual, backgroundColorLines, trashTube;
    sf::Texture musicOnTexture, musicOffTexture, soundOnTexture, soundOffTexture, mainMenuTexture;
    sf::Texture pauseTexture, resumeTexture, quitGameTexture;
    sf::Sprite musicButton, soundButton, mainMenuButton, pauseButton, quitGameButton;
    sf::Texture gameOverTexture, congratulationsTexture;
    sf::Sprite gameOverPicture, congratulationsPicture;
    std::array<sf::Texture, 4> endMessageTextures;
    std::array<sf::Sprite, 4> endMessages;
    sf::Texture natureTexture;
    sf::Sprite backdrop;

    // Digits: plain for read-outs, clock and level; large for the end screen.
    DigitTextureSet digitTextures;
    sf::Texture colonTexture;
    LevelClock levelClock;
    TwoDigits levelDigits;
    DigitTextureSet endDigitTextures;
    TwoDigits endLevelDigits;

    // Gems: one set per use, as loaded.
    GemTextureSet threadTextures;
    FallTextureSet fallTextures;
    GemTextureSet patternTextures;
    sf::Sprite fallingGem;
    std::array<sf::Sprite, 8> threadSprites;
    std::array<sf::Sprite, 8> patternSprites;

    sf::Image cursorImage;
    sf::Cursor cursor;
    bool cursorInstalled = false;

    Sounds sounds;

    sf::Font font;
};

// Loads the pictures and sprites (start-up step 5), scaled by (scaleX, scaleY) at their design positions.
void loadPictures(AssetCatalogue& assets, float scaleX, float scaleY);
// Builds and installs the custom cursor, then loads the gem sets (start-up step 6).
void loadCursorAndGems(AssetCatalogue& assets, sf::Window& window, float scaleX, float scaleY);
// Loads the sound effects at volume 20 and opens the music; plays it looped at volume 2 (step 8). Without
// an audio device it loads nothing, says so in one line and leaves the sounds silent.
void loadAudio(Sounds& sounds);
void loadFont(AssetCatalogue& assets);

// Places a sprite at a design position with the layout scale.
void placeSprite(sf::Sprite& sprite, float x, float y, float scaleX, float scaleY);
