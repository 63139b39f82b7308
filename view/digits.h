// Numbers drawn as digit pictures: the reusable digit rows and the fixed clock and level read-outs.
#pragma once

#include "view/assets.h"
#include "view/game_view.h"

#include <cstddef>

struct AppContext;

// Lays value out on row, zero-padded to width digits; sprites beyond width become transparent and a
// longer number keeps only its leftmost width digits. origin and spacing are window pixels.
void layoutDigits(unsigned value, DigitRow& row, const DigitTextureSet& set, sf::Vector2f origin,
                  float spacing, sf::Vector2f scale, std::size_t width, sf::Uint8 alpha);

// Score, best score and the mode's count (patterns, or one-colour lines), laid out every frame of play.
void layoutPlayReadouts(AppContext& app);
// The settings page's two three-digit volume read-outs.
void layoutVolumeRows(AppContext& app);
// The level clock as mm:ss from game.secondsLeft; called only when the countdown takes a step.
void refreshLevelClock(AppContext& app);
// The two level digits from game.level.
void refreshLevelDigits(AppContext& app);
// The end screen's count of completed levels (level - 1) on the large digits.
void refreshEndLevelDigits(AppContext& app);
// Whether the end screen shows the tens digit of its level count.
bool endLevelTensShown(int level);

void drawDigitRow(sf::RenderTarget& target, const DigitRow& row);
