// The settings page: volume arrows with their read-outs, the six mode buttons, the back button, and the
// player panel (name field, warning and list).
#include "app/screens.h"
#include "game/rules.h"
#include "view/audio.h"
#include "view/digits.h"
#include "view/hit_test.h"

#include <algorithm>

namespace {

constexpr float repeatSeconds = 0.2f;
constexpr float maxVolume = 100.0f;
constexpr std::array<GameMode, 6> modeOrder = {Easy, Normal, Hard, VeryHard, ColorLines, Casual};
// Drawing order of the mode buttons (indices into modeOrder): Casual is drawn before ColorLines.
constexpr std::array<std::size_t, 6> modeDrawOrder = {0, 1, 2, 3, 5, 4};

// Returns true when an arrow of the pair was under the mouse and changed (or kept, at a bound) the volume.
bool stepVolume(float& volume, const sf::Sprite& up, const sf::Sprite& down, sf::Vector2i mouse) {
    if (spriteUnderMouse(up, mouse)) {
        volume = std::min(volume + 1.0f, maxVolume);
        return true;
    }
    if (spriteUnderMouse(down, mouse)) {
        volume = std::max(volume - 1.0f, 0.0f);
        return true;
    }
    return false;
}

void handleMusicArrows(AppContext& app) {
    AssetCatalogue& a = app.assets;
    if (!stepVolume(app.musicVolume, a.musicUp, a.musicDown, app.mousePosition)) {
        return;
    }
    if (!app.audio.musicEnabled) {
        toggleMusic(app);
    }
}

void handleSoundArrows(AppContext& app) {
    AssetCatalogue& a = app.assets;
    if (!stepVolume(app.soundVolume, a.soundUp, a.soundDown, app.mousePosition)) {
        return;
    }
    app.audio.soundEnabled = true;
    sf::Sound& sample = a.effects[static_cast<std::size_t>(SoundEffectId::GemFall)].sound;
    sample.setVolume(app.soundVolume);
    sample.play();
}

void handleModeButtons(AppContext& app) {
    for (std::size_t i = 0; i < modeOrder.size(); ++i) {
        if (spriteUnderMouse(app.assets.modeButtons[i].normal, app.mousePosition)) {
            setModeParameters(app.game.mode, modeOrder[i]);
            app.gameReady = false;
            app.menuPage = MainMenu;
        }
    }
}

} // namespace

void handleSettingsClick(AppContext& app) {
    if (elapsedSeconds(app.volumeRepeatClock) < repeatSeconds) {
        return;
    }
    handleMusicArrows(app);
    restart(app.volumeRepeatClock);
    handleSoundArrows(app);
    applyVolumes(app);
    layoutVolumeRows(app);
    if (!app.clickHandled) {
        return;
    }
    handleModeButtons(app);
    if (spriteUnderMouse(app.assets.backButton, app.mousePosition)) {
        app.menuPage = MainMenu;
    }
}

void drawSettingsPage(AppContext& app) {
    AssetCatalogue& a = app.assets;
    sf::RenderWindow& w = app.window;
    w.draw(a.settingsPage);
    for (const sf::Sprite* arrow : {&a.musicUp, &a.musicDown, &a.soundUp, &a.soundDown}) {
        w.draw(*arrow);
    }
    for (const sf::Sprite& digit : app.view.musicVolumeRow) {
        w.draw(digit);
    }
    for (const sf::Sprite& digit : app.view.soundVolumeRow) {
        w.draw(digit);
    }
    for (std::size_t i : modeDrawOrder) {
        const ButtonPair& button = a.modeButtons[i];
        w.draw(app.game.mode.gameMode == modeOrder[i] ? button.active : button.normal);
    }
    w.draw(a.backButton);
    drawNameField(app);
    drawPlayerList(app);
}
