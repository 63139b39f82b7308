// Drawing of the game and end screens.
#include "view/game_screen.h"

#include "game/rules.h"
#include "view/composed_layer.h"
#include "view/digits.h"
#include "view/effects.h"
#include "view/positions.h"
#include "view/text.h"

#include <vector>

namespace {

using positions::colorLinesNameCentreX;
using positions::nameCentreX;
using positions::nameTop;

constexpr unsigned nameSize = 18;
constexpr float summaryDelay = 3.0f;
constexpr std::size_t endScoreWidth = 5;
constexpr unsigned unsavedSize = 24;
const sf::Color unsavedColour(238, 68, 68, 255);

float cellY(int row) {
    return static_cast<float>(boardTopY + cellSize * row);
}
float columnLeft(int column) {
    return static_cast<float>(columnX[static_cast<std::size_t>(column)]);
}
std::size_t kindIndex(int code) {
    return static_cast<std::size_t>(code - 1);
}

void showButtonPictures(AssetCatalogue& a, const Audio& audio, const Game& game) {
    a.musicButton.setTexture(audio.musicEnabled ? a.musicOnTexture : a.musicOffTexture, true);
    a.soundButton.setTexture(audio.soundEnabled ? a.soundOnTexture : a.soundOffTexture, true);
    a.pauseButton.setTexture(pausedByPlayer(game) ? a.resumeTexture : a.pauseTexture, true);
}

void placeGemSprites(AssetCatalogue& a, const Game& game, Layout layout) {
    const float threadX = columnLeft(game.cursorColumn);
    for (std::size_t i = 0; i < threadSlots; ++i) {
        const float y = static_cast<float>(threadTopY + cellSize * static_cast<int>(i));
        a.threadSprites[i].setTexture(a.threadTextures[static_cast<std::size_t>(game.thread[i])], true);
        placeSprite(a.threadSprites[i], threadX, y, layout.scaleX, layout.scaleY);
        a.patternSprites[i].setTexture(a.patternTextures[static_cast<std::size_t>(game.pattern[i])], true);
        placeSprite(a.patternSprites[i], static_cast<float>(patternX), cellY(static_cast<int>(i)),
                    layout.scaleX, layout.scaleY);
    }
    a.fallingGem.setTexture(a.fallTextures[static_cast<std::size_t>(game.fallKind)], true);
    placeSprite(a.fallingGem, columnLeft(game.fallColumn), cellY(game.fallRow), layout.scaleX, layout.scaleY);
}

// Steps 4 to 6: clock, blinking level, score and best; none of them in Casual mode.
void drawHeader(sf::RenderTarget& target, AssetCatalogue& a, const GameView& view) {
    for (const sf::Sprite& sprite : a.levelClock) {
        target.draw(sprite);
    }
    blinkDraw(a.levelDigits[0], target, false);
    blinkDraw(a.levelDigits[1], target, true);
    drawDigitRow(target, view.scoreRow);
    drawDigitRow(target, view.bestRow);
}

void drawBoard(sf::RenderTarget& target, const FallTextureSet& gems, const Game& game, Layout layout) {
    sf::Sprite gem;
    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            const int code = cell(game.board, row, column);
            if (code == Empty) {
                continue;
            }
            gem.setTexture(gems[kindIndex(code)], true);
            placeSprite(gem, columnLeft(column), cellY(row), layout.scaleX, layout.scaleY);
            target.draw(gem);
        }
    }
}

const sf::Sprite& modeBackground(const AssetCatalogue& a, GameMode mode) {
    if (mode == ColorLines) {
        return a.backgroundColorLines;
    }
    return mode == Casual ? a.backgroundCasual : a.background;
}

// Steps 1, 2, 3 and 7: backdrop, mode background, the player's name (not in Casual mode) and the
// buttons. The buttons share no pixel with the read-outs of steps 4 to 6 they are drawn before.
void drawPlayingStill(sf::RenderTarget& target, ComposedLayer& layer, const AssetCatalogue& a,
                      const Game& game, const std::string& playerName, Layout layout) {
    const GameMode mode = game.mode.gameMode;
    StillParts parts;
    parts.picture = &a.backdrop;
    parts.sprites = {&modeBackground(a, mode), &a.musicButton, &a.soundButton,
                     &a.mainMenuButton,        &a.pauseButton, &a.quitGameButton};
    sf::Text name;
    if (mode != Casual) {
        name = playerNameText(a.font, mode, playerName, layout);
        parts.text = &name;
    }
    drawStill(target, layer, parts);
}

} // namespace

sf::Text playerNameText(const sf::Font& font, GameMode mode, const std::string& playerName, Layout layout) {
    const float centreX = mode == ColorLines ? colorLinesNameCentreX : nameCentreX;
    return centredText(font, playerName, centreX * layout.scaleX, nameTop * layout.scaleY,
                       scaledCharacterSize(nameSize, layout), sf::Color::White);
}

void drawPlaying(sf::RenderTarget& target, ComposedLayer& layer, AssetCatalogue& a, GameView& view,
                 const Game& game, const Audio& audio, const std::string& playerName, Layout layout) {
    const GameMode mode = game.mode.gameMode;
    showButtonPictures(a, audio, game);
    placeGemSprites(a, game, layout);
    drawPlayingStill(target, layer, a, game, playerName, layout);
    if (mode != Casual) {
        drawHeader(target, a, view);
    }
    if (mode == ColorLines) {
        drawDigitRow(target, view.colorLinesRow);
    } else {
        drawDigitRow(target, view.patternsRow);
        for (const sf::Sprite& sprite : a.patternSprites) {
            target.draw(sprite);
        }
    }
    for (const sf::Sprite& sprite : a.threadSprites) {
        target.draw(sprite);
    }
    if (game.gemActive || game.paused) {
        target.draw(a.fallingGem);
    }
    drawBoard(target, a.fallTextures, game, layout);
    drawWarningPulse(target, game, a.fallTextures, elapsedSeconds(view.pulseClock), layout);
    if (mode != ColorLines) {
        target.draw(a.trashTube);
    }
    if (game.popupPoints > 0) {
        layoutPopup(view.popupRow, game, a.digitTextures, layout);
        drawDigitRow(target, view.popupRow);
    }
}

namespace {

std::size_t endMessageIndex(const Game& game) {
    const bool best = game.score == game.bestScore;
    if (game.timeUp) {
        return best ? 0 : 1;
    }
    return best ? 2 : 3;
}

bool summaryDue(const Game& game) {
    return elapsedSeconds(game.landClock) > summaryDelay && game.score > 0;
}

// The summary's message, level count (after a full board only) and score, in drawing order.
std::vector<const sf::Sprite*> summarySprites(AssetCatalogue& a, GameView& view, const Game& game,
                                              Layout layout) {
    std::vector<const sf::Sprite*> sprites = {&a.endMessages[endMessageIndex(game)]};
    // Only a game lost to a full board tells how many levels it completed.
    if (!game.timeUp) {
        if (endLevelTensShown(game.level)) {
            sprites.push_back(&a.endLevelDigits[0]);
        }
        sprites.push_back(&a.endLevelDigits[1]);
    }
    const DesignRow& endScore = positions::endScore;
    layoutDigits(static_cast<unsigned>(game.score), view.endScoreRow, a.endDigitTextures,
                 {endScore.first.x * layout.scaleX, endScore.first.y * layout.scaleY},
                 endScore.step * layout.scaleX, {layout.scaleX, layout.scaleY}, endScoreWidth, 255);
    for (const sf::Sprite& digit : view.endScoreRow) {
        sprites.push_back(&digit);
    }
    return sprites;
}

} // namespace

void drawGameEnd(sf::RenderTarget& target, ComposedLayer& layer, AssetCatalogue& a, GameView& view,
                 Game& game, float fadeSeconds, Layout layout) {
    if (!game.endSummaryReady) {
        // The ended game no longer uses landClock: from here it times the summary's delay.
        game.endSummaryReady = true;
        restart(game.landClock);
        refreshEndLevelDigits(a.endLevelDigits, a.endDigitTextures, game.level);
        // The screen's first frame comes before its first update; without this the picture would show
        // for one frame with the alpha the previous end screen left it.
        fadeEndPicture(a, game, fadeSeconds);
    }
    StillParts parts;
    parts.picture = &endPicture(a, game);
    sf::Text unsaved;
    if (summaryDue(game)) {
        parts.sprites = summarySprites(a, view, game, layout);
        if (!view.unsavedResultCause.empty()) {
            unsaved = centredText(a.font, "Not saved: " + view.unsavedResultCause,
                                  positions::unsavedLine.x * layout.scaleX,
                                  positions::unsavedLine.y * layout.scaleY,
                                  scaledCharacterSize(unsavedSize, layout), unsavedColour);
            parts.text = &unsaved;
        }
    }
    drawStill(target, layer, parts);
}
