// The busiest game screen for the frame benchmark, drawn by the game's own code, and the same pictures
// as a bare list of sprites for the floor it is compared with.
#pragma once

#include "app/app_context.h"

#include <vector>

// What the game screen draws for the busy state, flattened: the sprites that stay still (full-screen
// pictures and buttons), those that move, in drawing order, and the player's name.
struct FloorScene {
    std::vector<sf::Sprite> still;
    std::vector<sf::Sprite> moving;
    sf::Text name;
};

// The floor of composed drawing: the still sprites and the name as one opaque window-sized picture,
// drawn without blending, then the moving sprites.
struct BlitFloor {
    sf::RenderTexture picture;
    std::vector<sf::Sprite> moving;
};

// Puts a started application on the game screen with a nearly full board, pulsing columns, a full thread,
// a pattern, a rising points read-out and every read-out laid out.
void makeBusyGame(AppContext& app);
// One frame of the game screen through the game's drawing: draw, display.
void drawGameFrame(AppContext& app);
// The same sprites with the same textures at the same places; call after one drawGameFrame.
FloorScene buildFloorScene(AppContext& app);
// One frame of the floor: clear, draw the plain list, display.
void drawFloorFrame(sf::RenderWindow& window, const FloorScene& scene);
// Composes the blit floor's picture at the window's size; false when no such texture can be made.
bool buildBlitFloor(const FloorScene& scene, sf::Vector2u size, BlitFloor& floor);
// One frame of the blit floor: the picture without blending, the moving sprites, display.
void drawBlitFloorFrame(sf::RenderWindow& window, const BlitFloor& floor);
// Takes every pending window event, as a frame loop does.
void drainEvents(sf::RenderWindow& window);
