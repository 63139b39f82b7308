// The settings page: volume arrows with their read-outs, the six mode buttons, the back button, and the
// player panel (name field, warning and list).
#include "app/screens.h"
#include "game/rules.h"
#include "view/audio.h"
#include "view/digits.h"
#include "view/hit_test.h"
#include "view/menu_pages.h"

#include <algorithm>

namespace {

constexpr float repeatSeconds = 0.2f;
constexpr float maxVolume = 100.0f;

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

bool handleMusicArrows(AppContext& app, sf::Vector2i mouse) {
    AssetCatalogue& a = app.assets;
    if (!stepVolume(app.volumes.music, a.musicUp, a.musicDown, mouse)) {
        return false;
    }
    if (!app.audio.musicEnabled) {
        switchMusic(app);
    }
    return true;
}

bool handleSoundArrows(AppContext& app, sf::Vector2i mouse) {
    AssetCatalogue& a = app.assets;
    if (!stepVolume(app.volumes.sound, a.soundUp, a.soundDown, mouse)) {
        return false;
    }
    app.audio.soundEnabled = true;
    playVolumeSample(a.sounds, app.volumes.sound);
    return true;
}

// One step of whichever volume arrow lies under the mouse; true when one did.
bool stepVolumeArrows(AppContext& app, sf::Vector2i mouse) {
    const bool music = handleMusicArrows(app, mouse);
    const bool sound = handleSoundArrows(app, mouse);
    if (!music && !sound) {
        return false;
    }
    restart(app.volumeRepeatClock);
    applyVolumes(app.volumes, app.assets.sounds);
    return true;
}

void handleModeButtons(AppContext& app, sf::Vector2i mouse) {
    for (std::size_t i = 0; i < modeButtonModes.size(); ++i) {
        if (spriteUnderMouse(app.assets.modeButtons[i].normal, mouse)) {
            setModeParameters(app.game.mode, modeButtonModes[i]);
            app.gameReady = false;
            app.menuPage = MainMenu;
        }
    }
}

} // namespace

void handleSettingsClick(AppContext& app, sf::Vector2i mouse) {
    if (stepVolumeArrows(app, mouse)) {
        app.press.control = HeldControl::VolumeArrow;
        return;
    }
    handleModeButtons(app, mouse);
    if (spriteUnderMouse(app.assets.backButton, mouse)) {
        app.menuPage = MainMenu;
    }
}

void updateSettingsPage(AppContext& app) {
    const MousePress& press = app.press;
    if (press.held && !press.moved && press.control == HeldControl::VolumeArrow &&
        elapsedSeconds(app.volumeRepeatClock) >= repeatSeconds) {
        stepVolumeArrows(app, press.at);
    }
    // Laid out every frame, so the read-outs show however the page was reached.
    layoutVolumeRows(app.view, app.volumes, app.assets.digitTextures, app.layout);
}
