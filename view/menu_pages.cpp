// The splash, the main menu and the settings page as pictures on the window.
#include "view/menu_pages.h"

#include "view/effects.h"
#include "view/positions.h"
#include "view/text.h"

#include <algorithm>
#include <cmath>

namespace {

// Drawing order of the mode buttons (indices into modeButtonModes): Casual is drawn before ColorLines.
constexpr std::array<std::size_t, 6> modeDrawOrder = {0, 1, 2, 3, 5, 4};

using positions::listCentreX;
using positions::listRowStep;
using positions::listTopY;
// The rows span the list box's ruled lines, so the longest name the field takes fits in its row.
constexpr float rowWidth = 300.0f;
constexpr float rowHeight = 40.0f;
constexpr unsigned listTextSize = 20;
const sf::Color currentPlayerColour(255, 255, 0, 255);

using positions::nameFieldX;
using positions::nameFieldY;
using positions::warningY;
constexpr unsigned nameTextSize = 20;
constexpr unsigned warningTextSize = 18;
const sf::Color warningColour(238, 68, 68, 255);
// The caret's gap after the name, its top below the text's, its height and width, as shares of the
// character size: it spans the letters' height from above the capitals to below the descenders.
constexpr float caretGap = 0.1f, caretTop = 0.1f, caretHeight = 1.1f, caretWidth = 0.1f;

float listRowTop(std::size_t row, Layout layout) {
    return (listTopY + listRowStep * static_cast<float>(row)) * layout.scaleY;
}

} // namespace

std::array<const ButtonPair*, 5> mainMenuButtons(const AssetCatalogue& assets) {
    return {&assets.startButton, &assets.settingsButton, &assets.instructionsButton, &assets.aboutButton,
            &assets.quitButton};
}

sf::FloatRect playerRowBounds(std::size_t row, Layout layout) {
    return {(listCentreX - 0.5f * rowWidth) * layout.scaleX, listRowTop(row, layout),
            rowWidth * layout.scaleX, rowHeight * layout.scaleY};
}

sf::Text playerRowText(const sf::Font& font, const std::string& name, std::size_t row, bool current,
                       Layout layout) {
    return centredText(font, name, listCentreX * layout.scaleX, listRowTop(row, layout),
                       scaledCharacterSize(listTextSize, layout),
                       current ? currentPlayerColour : sf::Color(255, 255, 255, 255));
}

void createNameTexts(sf::Text& name, sf::Text& warning, const sf::Font& font, Layout layout) {
    name = sf::Text("", font, scaledCharacterSize(nameTextSize, layout));
    name.setFillColor(sf::Color::White);
    name.setPosition(nameFieldX * layout.scaleX, nameFieldY * layout.scaleY);
    warning = sf::Text("Wrong input language", font, scaledCharacterSize(warningTextSize, layout));
    warning.setFillColor(warningColour);
    warning.setPosition(nameFieldX * layout.scaleX, warningY * layout.scaleY);
}

float nameDesignWidth(const sf::Font& font, const std::string& name) {
    return sf::Text(name, font, nameTextSize).getLocalBounds().width;
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

sf::RectangleShape nameCaret(const sf::Text& name) {
    const auto size = static_cast<float>(name.getCharacterSize());
    sf::RectangleShape caret({std::max(1.0f, std::round(caretWidth * size)), caretHeight * size});
    // After the pen's place or the last letter's overhang, whichever ends further right.
    const sf::FloatRect letters = name.getGlobalBounds();
    const float end =
        std::max(name.findCharacterPos(name.getString().getSize()).x, letters.left + letters.width);
    caret.setPosition(std::ceil(end + caretGap * size), std::round(name.getPosition().y + caretTop * size));
    caret.setFillColor(name.getFillColor());
    return caret;
}

void drawNameField(sf::RenderTarget& target, sf::Sprite& prompt, bool promptShown, const sf::Text& name,
                   const sf::Text* warning) {
    if (promptShown) {
        blinkDraw(prompt, target, false);
    }
    target.draw(name);
    if (blinkPhaseShown()) {
        target.draw(nameCaret(name));
    }
    if (warning != nullptr) {
        target.draw(*warning);
    }
}

void drawPlayerList(sf::RenderTarget& target, const sf::Font& font, const std::vector<std::string>& names,
                    int currentIndex, Layout layout) {
    for (std::size_t i = 0; i < names.size() && i < listedRows; ++i) {
        target.draw(playerRowText(font, names[i], i, static_cast<int>(i) == currentIndex, layout));
    }
}
