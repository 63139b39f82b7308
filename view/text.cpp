// Centred text: the player list and the player's name on the game screen.
#include "view/text.h"

#include <locale>

sf::Text centredText(const sf::Font& font, const std::string& text, float centreX, float top,
                     unsigned characterSize, sf::Color colour) {
    sf::Text shown(sf::String(text, std::locale()), font, characterSize);
    shown.setFillColor(colour);
    // Only the width counts: the bounds' left offset is ignored and the origin stays top-left.
    const sf::FloatRect bounds = shown.getLocalBounds();
    shown.setPosition(centreX - 0.5f * bounds.width, top);
    return shown;
}

void drawCenteredText(sf::RenderTarget& target, const sf::Font& font, const std::string& text, float centreX,
                      float top, unsigned characterSize, sf::Color colour) {
    target.draw(centredText(font, text, centreX, top, characterSize, colour));
}
