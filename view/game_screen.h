// Drawing of the game and end screens in their fixed order.
#pragma once

#include "game/game.h"
#include "view/assets.h"
#include "view/audio.h"
#include "view/composed_layer.h"
#include "view/game_view.h"
#include "view/layout.h"

#include <SFML/Graphics.hpp>

#include <string>

// The game screen; later steps cover earlier ones. The gem, thread, pattern and button pictures are
// taken from the game state and the audio switches on every call; what stays still comes from layer.
void drawPlaying(sf::RenderTarget& target, ComposedLayer& layer, AssetCatalogue& assets, GameView& view,
                 const Game& game, const Audio& audio, const std::string& playerName, Layout layout);

// The player's name at the top of the game screen, over its name plate.
sf::Text playerNameText(const sf::Font& font, GameMode mode, const std::string& playerName, Layout layout);

// The end picture and, more than 3 s after the end screen first drew, the summary of a scoring game,
// with a line under it when the result could not be saved.
// The first call starts the summary's delay (on the game's landClock) and applies the picture's fade
// for fadeSeconds into the end screen.
void drawGameEnd(sf::RenderTarget& target, ComposedLayer& layer, AssetCatalogue& assets, GameView& view,
                 Game& game, float fadeSeconds, Layout layout);
