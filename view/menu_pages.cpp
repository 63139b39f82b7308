// The splash, the main menu and the settings page as pictures on the window.
#include "view/menu_pages.h"

#include "view/effects.h"
#include "view/text.h"

namespace {

// Drawing order of the mode buttons (indices into modeButtonModes): Casual is drawn before ColorLines.
constexpr std::array<std::size_t, 6> modeDrawOrder = {0, 1, 2, 3, 5, 4};

constexpr float listCentreX = 1506.0f;
constexpr float listTopY = 410.0f;
constexpr float listRowStep = 47.0f;
constexpr float rowHalfWidthPixels = 100.0f;
constexpr float rowWidthPixels = 200.0f;
constexpr float rowHeight = 40.0f;
constexpr unsigned listTextSize = 20;
const sf::Color currentPlayerColour(255, 255, 0, 255);

float listRowTop(std::size_t row, Layout layout) {
    return (listTopY + listRowStep * static_cast<float>(row)) * layout.scaleY;
}

} // namespace

std::array<const ButtonPair*, 5> mainMenuButtons(const AssetCatalogue& assets) {
    return {&assets.startButton, &assets.settingsButton, &assets.instructionsButton, &assets.aboutButton,
            &assets.quitButton};
}

sf::FloatRect playerRowBounds(std::size_t row, Layout layout) {
    return {listCentreX * layout.scaleX - rowHalfWidthPixels, listRowTop(row, layout), rowWidthPixels,
            rowHeight * layout.scaleY};
}

void drawStartPage(sf::RenderTarget& target, ComposedLayer& layer, const AssetCatalogue& assets) {
    drawStill(target, layer, {&assets.startPage, {}, nullptr});
}

void drawPicturePage(sf::RenderTarget& target, ComposedLayer& layer, const sf::Sprite& picture) {
    drawStill(target, layer, {&picture, {}, nullptr});
}

void drawMainMenu(sf::RenderTarget& target, ComposedLayer& layer, const AssetCatalogue& assets,
                  const std::array<bool, 5>& hover, bool buttonsShown) {
    StillParts parts{&assets.menuPage, {}, nullptr};
    if (buttonsShown) {
        const auto buttons = mainMenuButtons(assets);
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            parts.sprites.push_back(hover[i] ? &buttons[i]->active : &buttons[i]->normal);
        }
    }
    drawStill(target, layer, parts);
}

void drawSettingsPage(sf::RenderTarget& target, ComposedLayer& layer, const AssetCatalogue& a,
                      const GameView& view, GameMode selected) {
    StillParts parts{&a.settingsPage, {&a.musicUp, &a.musicDown, &a.soundUp, &a.soundDown}, nullptr};
    for (const DigitRow* row : {&view.musicVolumeRow, &view.soundVolumeRow}) {
        for (const sf::Sprite& digit : *row) {
            parts.sprites.push_back(&digit);
        }
    }
    for (std::size_t i : modeDrawOrder) {
        const ButtonPair& button = a.modeButtons[i];
        parts.sprites.push_back(selected == modeButtonModes[i] ? &button.active : &button.normal);
    }
    parts.sprites.push_back(&a.backButton);
    drawStill(target, layer, parts);
}

void drawNameField(sf::RenderTarget& target, sf::Sprite& prompt, bool promptShown, const sf::Text& name,
                   const sf::Text* warning) {
    if (promptShown) {
        blinkDraw(prompt, target, false);
    }
    target.draw(name);
    if (warning != nullptr) {
        target.draw(*warning);
    }
}

void drawPlayerList(sf::RenderTarget& target, const sf::Font& font, const std::vector<std::string>& names,
                    int currentIndex, Layout layout) {
    for (std::size_t i = 0; i < names.size() && i < listedRows; ++i) {
        const bool current = static_cast<int>(i) == currentIndex;
        drawCenteredText(target, font, names[i], listCentreX * layout.scaleX, listRowTop(i, layout),
                         listTextSize, current ? currentPlayerColour : sf::Color(255, 255, 255, 255));
    }
}
