// Composing a screen's still part once and drawing it as one opaque picture.
#include "view/composed_layer.h"

#include <cstring>
#include <utility>

namespace {

const sf::Color opaqueBlack(0, 0, 0, 255);
constexpr sf::Uint8 opaque = 255;

std::uintptr_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void addPlace(LayerKey& key, sf::Vector2f place) {
    key.parts.push_back(bitsOf(place.x));
    key.parts.push_back(bitsOf(place.y));
}

void addSprite(LayerKey& key, const sf::Sprite& sprite) {
    key.parts.push_back(reinterpret_cast<std::uintptr_t>(sprite.getTexture()));
    key.parts.push_back(sprite.getColor().toInteger());
    addPlace(key, sprite.getPosition());
}

// The picture counts without its alpha: a fade is applied when the layer is drawn, not composed in.
LayerKey keyOf(const StillParts& parts, bool withRest) {
    LayerKey key;
    key.parts.push_back(reinterpret_cast<std::uintptr_t>(parts.picture->getTexture()));
    key.parts.push_back(parts.picture->getColor().toInteger() | opaque);
    key.parts.push_back(withRest ? 1 : 0);
    if (!withRest) {
        return key;
    }
    for (const sf::Sprite* sprite : parts.sprites) {
        addSprite(key, *sprite);
    }
    if (parts.text != nullptr) {
        key.text = parts.text->getString();
        key.parts.push_back(parts.text->getFillColor().toInteger());
        addPlace(key, parts.text->getPosition());
    }
    return key;
}

void drawRest(sf::RenderTarget& target, const StillParts& parts) {
    for (const sf::Sprite* sprite : parts.sprites) {
        target.draw(*sprite);
    }
    if (parts.text != nullptr) {
        target.draw(*parts.text);
    }
}

// A texture of the target's size, made when first needed; false when none can be made.
bool layerReady(ComposedLayer& layer, sf::Vector2u size) {
    if (!layer.composing) {
        return false;
    }
    if (layer.texture.getSize() == size) {
        return true;
    }
    layer.key = LayerKey{};
    layer.composing = layer.texture.create(size.x, size.y);
    return layer.composing;
}

void compose(ComposedLayer& layer, const StillParts& parts, bool withRest) {
    layer.texture.clear(opaqueBlack);
    sf::Sprite picture(*parts.picture);
    sf::Color colour = picture.getColor();
    colour.a = opaque;
    picture.setColor(colour);
    layer.texture.draw(picture);
    if (withRest) {
        drawRest(layer.texture, parts);
    }
    layer.texture.display();
}

bool sameKey(const LayerKey& a, const LayerKey& b) {
    return a.parts == b.parts && a.text == b.text;
}

} // namespace

void drawStill(sf::RenderTarget& target, ComposedLayer& layer, const StillParts& parts) {
    if (!layerReady(layer, target.getSize())) {
        target.clear(opaqueBlack);
        target.draw(*parts.picture);
        drawRest(target, parts);
        return;
    }
    const sf::Uint8 fade = parts.picture->getColor().a;
    const bool withRest = fade == opaque;
    LayerKey key = keyOf(parts, withRest);
    if (!sameKey(key, layer.key)) {
        compose(layer, parts, withRest);
        layer.key = std::move(key);
    }
    // Over black, a picture at alpha a shows its colours times a/255: the same as modulating them.
    sf::Sprite still(layer.texture.getTexture());
    still.setColor(sf::Color(fade, fade, fade, opaque));
    target.draw(still, sf::BlendNone);
    if (!withRest) {
        drawRest(target, parts);
    }
}
