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

void handleMusicArrows(AppContext& app) {
    AssetCatalogue& a = app.assets;
    if (!stepVolume(app.volumes.music, a.musicUp, a.musicDown, app.mousePosition)) {
        return;
    }
    if (!app.audio.musicEnabled) {
        switchMusic(app);
    }
}

void handleSoundArrows(AppContext& app) {
    AssetCatalogue& a = app.assets;
    if (!stepVolume(app.volumes.sound, a.soundUp, a.soundDown, app.mousePosition)) {
        return;
    }
    app.audio.soundEnabled = true;
    sf::Sound& sample = a.sounds.effects[static_cast<std::size_t>(SoundEffectId::GemFall)].sound;
    sample.setVolume(app.volumes.sound);
    sample.play();
}

void handleModeButtons(AppContext& app) {
    for (std::size_t i = 0; i < modeButtonModes.size(); ++i) {
        if (spriteUnderMouse(app.assets.modeButtons[i].normal, app.mousePosition)) {
            setModeParameters(app.game.mode, modeButtonModes[i]);
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
    applyVolumes(app.volumes, app.assets.sounds);
    layoutVolumeRows(app.view, app.volumes, app.assets.digitTextures, app.layout);
    if (!app.clickHandled) {
        return;
    }
    handleModeButtons(app);
    if (spriteUnderMouse(app.assets.backButton, app.mousePosition)) {
        app.menuPage = MainMenu;
    }
}
