// Drawing of the splash, the main menu and the settings page with its player panel, and the places of
// their controls, which the menus' click handling hit-tests.
#pragma once

#include "game/game.h"
#include "view/assets.h"
#include "view/composed_layer.h"
#include "view/game_view.h"
#include "view/layout.h"

#include <SFML/Graphics.hpp>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// The settings page's mode buttons, in the catalogue's order.
constexpr std::array<GameMode, 6> modeButtonModes = {Easy, Normal, Hard, VeryHard, ColorLines, Casual};
// The player list shows at most this many names.
constexpr std::size_t listedRows = 10;

// Start, Settings, Instructions, About, Quit.
std::array<const ButtonPair*, 5> mainMenuButtons(const AssetCatalogue& assets);
// The click rectangle of row i of the player list, in window pixels: the row as the page draws it.
sf::FloatRect playerRowBounds(std::size_t row, Layout layout);
// The name shown in row i of the player list, centred on the row, yellow for the current player.
sf::Text playerRowText(const sf::Font& font, const std::string& name, std::size_t row, bool current,
                       Layout layout);

// The name field's typed name and its input-language warning, sized and placed for the screen.
void createNameTexts(sf::Text& name, sf::Text& warning, const sf::Font& font, Layout layout);
// The width of a name as the field's limit reads it: at the field's size in the 1920 x 1080 design
// space, so the same names are accepted on every screen.
float nameDesignWidth(const sf::Font& font, const std::string& name);

// Each page's still part is composed in layer and drawn as the frame's first draw.
void drawStartPage(sf::RenderTarget& target, ComposedLayer& layer, const AssetCatalogue& assets);
// A page that is one picture: instructions, about.
void drawPicturePage(sf::RenderTarget& target, ComposedLayer& layer, const sf::Sprite& picture);
// The menu background at its current fade and, once they show, the five buttons (hovered ones
// highlighted).
void drawMainMenu(sf::RenderTarget& target, ComposedLayer& layer, const AssetCatalogue& assets,
                  const std::array<bool, 5>& hover, bool buttonsShown);
// The settings page's picture, volume arrows and read-outs, mode buttons (the selected one highlighted)
// and back button.
void drawSettingsPage(sf::RenderTarget& target, ComposedLayer& layer, const AssetCatalogue& assets,
                      const GameView& view, GameMode selected);
// The caret after the last character of the typed name, sized with it.
sf::RectangleShape nameCaret(const sf::Text& name);
// The blinking name prompt when asked for, the typed name with its caret (on the blink's rhythm), and the
// input-language warning when given.
void drawNameField(sf::RenderTarget& target, sf::Sprite& prompt, bool promptShown, const sf::Text& name,
                   const sf::Text* warning);
// The first listed names, centred, the current player's in yellow.
void drawPlayerList(sf::RenderTarget& target, const sf::Font& font, const std::vector<std::string>& names,
                    int currentIndex, Layout layout);
