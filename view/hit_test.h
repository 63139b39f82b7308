// Hit tests of sprites against positions in window pixels: the global bounds, left and top edges
// inclusive, right and bottom edges exclusive.
#pragma once

#include <SFML/Graphics/Sprite.hpp>

inline bool containsPoint(const sf::Sprite& sprite, float x, float y) {
    return sprite.getGlobalBounds().contains(x, y);
}

inline bool spriteUnderMouse(const sf::Sprite& sprite, sf::Vector2i mouse) {
    return containsPoint(sprite, static_cast<float>(mouse.x), static_cast<float>(mouse.y));
}
