// The game screen and the end screen: drawing in their fixed order, the end screen's update and the
// five buttons of the game screen.
#pragma once

#include <SFML/Graphics.hpp>

struct AppContext;

// The game screen; later steps cover earlier ones. The gem, thread, pattern and button pictures are
// taken from the game state and the audio switches on every call.
void drawPlaying(AppContext& app);
void drawPlaying(AppContext& app, sf::RenderTarget& target);

// Each frame of the end screen: the end picture's fade-in, and the music started once from its beginning.
void updateGameEnd(AppContext& app);
// The end picture and, more than 3 s after the end screen first drew, the summary of a scoring game.
void drawGameEnd(AppContext& app);
void drawGameEnd(AppContext& app, sf::RenderTarget& target);

// A left click on the game screen, mouse in window pixels: music, sound, main menu, pause, quit.
void handleGameButtons(AppContext& app, sf::Vector2i mouse);
