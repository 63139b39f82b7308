// Timed visual effects: the program-wide blink, the rising points read-out, the end picture's fade-in
// and the warning pulse of nearly full columns.
#pragma once

#include "game/game.h"
#include "game/stopwatch.h"
#include "view/assets.h"
#include "view/game_view.h"
#include "view/layout.h"

#include <SFML/Graphics.hpp>

// The blink's flag and timer are program-wide: every blinking sprite shares one phase.
// Alpha of a one-second screen fade t seconds in; a late frame still ends it at its final value.
sf::Uint8 screenFadeAlpha(float t, bool fadingIn);

void initBlink(const TimeSource& time);
void startBlink();
bool blinkActive();
void stopBlink();
// Whether the blink's current quarter-second phase shows, whether or not a blink runs: the name field's
// caret keeps this rhythm all the time.
bool blinkPhaseShown();
// Draws sprite, 0.25 s visible and 0.25 s invisible while the blink runs; only a call with mayStop ends
// the blink, in its first call at or after 1.5 s, leaving that sprite opaque.
void blinkDraw(sf::Sprite& sprite, sf::RenderTarget& target, bool mayStop);

// Lays the rising points read-out out from the game's popup state (value, steps taken, column).
void layoutPopup(DigitRow& popupRow, const Game& game, const DigitTextureSet& digits, Layout layout);
// Draws the pulsing row-1 gem of every play column filled down from row 1, unless the game has ended;
// pulseSeconds is the free-running phase of the pulse.
void drawWarningPulse(sf::RenderTarget& target, const Game& game, const FallTextureSet& gems,
                      float pulseSeconds, Layout layout);
// Fades the end picture in over the first second of the end screen (secondsIn); from then on it is opaque.
void fadeEndPicture(AssetCatalogue& assets, const Game& game, float secondsIn);
// The end picture the end screen shows: game over below the best score, congratulations otherwise.
sf::Sprite& endPicture(AssetCatalogue& assets, const Game& game);
