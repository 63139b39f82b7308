// The still part of a screen (its full-screen picture, panels, labels, buttons at rest) composed once
// into one window-sized texture and drawn as the frame's first draw without blending, so that a frame
// costs one full-screen picture plus what moves over it. Composed again only when a part changes.
#pragma once

#include <SFML/Graphics.hpp>

#include <cstdint>
#include <vector>

// What a composed picture is made of: for each part its picture, colour and place, and the text.
struct LayerKey {
    std::vector<std::uintptr_t> parts;
    sf::String text;
};

struct ComposedLayer {
    sf::RenderTexture texture;
    LayerKey key; // empty while the texture holds nothing
    // False draws every part straight onto the target, sprite by sprite over a cleared target: the way
    // when no texture can be made, and the reference the composed picture is checked against.
    bool composing = true;
};

// The still part of one screen, in drawing order.
struct StillParts {
    // Covers the window; its alpha is the screen's fade over black.
    const sf::Sprite* picture = nullptr;
    // Drawn over the picture, never faded; while the picture fades they draw straight onto the target.
    std::vector<const sf::Sprite*> sprites;
    // Drawn last: callers give only a text that shares no pixel with the sprites (the game screen's
    // name and its buttons), so its place in the order does not show.
    const sf::Text* text = nullptr;
};

// Draws the still part as the frame's first draw: nothing needs to be cleared under it.
void drawStill(sf::RenderTarget& target, ComposedLayer& layer, const StillParts& parts);
