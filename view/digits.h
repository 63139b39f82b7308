// Numbers drawn as digit pictures: the reusable digit rows and the fixed clock and level read-outs.
#pragma once

#include "game/game.h"
#include "view/assets.h"
#include "view/audio.h"
#include "view/game_view.h"
#include "view/layout.h"

#include <cstddef>

// Lays value out on row, zero-padded to width digits; sprites beyond width become transparent and a
// longer number keeps only its leftmost width digits. origin and spacing are window pixels.
void layoutDigits(unsigned value, DigitRow& row, const DigitTextureSet& set, sf::Vector2f origin,
                  float spacing, sf::Vector2f scale, std::size_t width, sf::Uint8 alpha);

// Score, best score and the mode's count (patterns, or one-colour lines), laid out every frame of play.
void layoutPlayReadouts(GameView& view, const Game& game, const DigitTextureSet& digits, Layout layout);
// The settings page's two three-digit volume read-outs.
void layoutVolumeRows(GameView& view, const Volumes& volumes, const DigitTextureSet& digits, Layout layout);
// The level clock as mm:ss; called only when the countdown takes a step. The colon never changes.
void refreshLevelClock(LevelClock& clock, const DigitTextureSet& digits, int secondsLeft);
// The two level digits, opaque.
void refreshLevelDigits(TwoDigits& levelDigits, const DigitTextureSet& digits, int level);
// The end screen's count of completed levels (level - 1) on the large digits.
void refreshEndLevelDigits(TwoDigits& endLevelDigits, const DigitTextureSet& endDigits, int level);
// Whether the end screen shows the tens digit of its level count.
bool endLevelTensShown(int level);

void drawDigitRow(sf::RenderTarget& target, const DigitRow& row);
