// The busiest game screen for the frame benchmark, drawn by the game's own code, and the same pictures
// as a bare list of sprites for the floor it is compared with.
#pragma once

#include "app/app_context.h"

#include <vector>

// What the game screen draws for the busy state, flattened: sprites in drawing order, then the name.
struct FloorScene {
    std::vector<sf::Sprite> sprites;
    sf::Text name;
};

// Puts a started application on the game screen with a nearly full board, pulsing columns, a full thread,
// a pattern, a rising points read-out and every read-out laid out.
void makeBusyGame(AppContext& app);
// One frame of the game screen through the game's drawing: clear, draw, display.
void drawGameFrame(AppContext& app);
// The same sprites with the same textures at the same places; call after one drawGameFrame.
FloorScene buildFloorScene(AppContext& app);
// One frame of the floor: clear, draw the plain list, display.
void drawFloorFrame(sf::RenderWindow& window, const FloorScene& scene);
// Takes every pending window event, as a frame loop does.
void drainEvents(sf::RenderWindow& window);
