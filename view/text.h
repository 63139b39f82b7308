// Text drawn with the game's font, horizontally centred on an x.
#pragma once

#include <SFML/Graphics.hpp>

#include <string>

// centreX and top are window pixels (already scaled); characterSize is in pixels and not scaled.
sf::Text centredText(const sf::Font& font, const std::string& text, float centreX, float top,
                     unsigned characterSize, sf::Color colour);
void drawCenteredText(sf::RenderTarget& target, const sf::Font& font, const std::string& text, float centreX,
                      float top, unsigned characterSize, sf::Color colour);
