// Drawing of the game and end screens, the end screen's update and the game screen's buttons.
#include "view/game_screen.h"

#include "app/app_context.h"
#include "app/screens.h"
#include "game/rules.h"
#include "view/hit_test.h"
#include "view/digits.h"
#include "view/effects.h"
#include "view/text.h"

namespace {

constexpr float nameCentreX = 1368.0f;
constexpr float colorLinesNameCentreX = 1282.0f;
constexpr float nameTop = 55.0f;
constexpr unsigned nameSize = 18;
constexpr float summaryDelay = 3.0f;
constexpr float endScoreX = 907.0f;
constexpr float endScoreY = 829.0f;
constexpr float endScoreSpacing = 16.0f;
constexpr std::size_t endScoreWidth = 5;

float cellY(int row) {
    return static_cast<float>(boardTopY + cellSize * row);
}
float columnLeft(int column) {
    return static_cast<float>(columnX[static_cast<std::size_t>(column)]);
}
std::size_t kindIndex(int code) {
    return static_cast<std::size_t>(code - 1);
}

void showButtonPictures(AppContext& app) {
    AssetCatalogue& a = app.assets;
    a.musicButton.setTexture(app.audio.musicEnabled ? a.musicOnTexture : a.musicOffTexture, true);
    a.soundButton.setTexture(app.audio.soundEnabled ? a.soundOnTexture : a.soundOffTexture, true);
    a.pauseButton.setTexture(pausedByPlayer(app.game) ? a.resumeTexture : a.pauseTexture, true);
}

void placeGemSprites(AppContext& app) {
    AssetCatalogue& a = app.assets;
    const Game& game = app.game;
    const float threadX = columnLeft(game.cursorColumn);
    for (std::size_t i = 0; i < threadSlots; ++i) {
        const float y = static_cast<float>(threadTopY + cellSize * static_cast<int>(i));
        a.threadSprites[i].setTexture(a.threadTextures[static_cast<std::size_t>(game.thread[i])], true);
        placeSprite(a.threadSprites[i], threadX, y, app.scaleX, app.scaleY);
        a.patternSprites[i].setTexture(a.patternTextures[static_cast<std::size_t>(game.pattern[i])], true);
        placeSprite(a.patternSprites[i], static_cast<float>(patternX), cellY(static_cast<int>(i)), app.scaleX,
                    app.scaleY);
    }
    a.fallingGem.setTexture(a.fallTextures[static_cast<std::size_t>(game.fallKind)], true);
    placeSprite(a.fallingGem, columnLeft(game.fallColumn), cellY(game.fallRow), app.scaleX, app.scaleY);
}

// Steps 3 to 6: name, clock, blinking level, score and best; none of them in Casual mode.
void drawHeader(AppContext& app, sf::RenderTarget& target) {
    AssetCatalogue& a = app.assets;
    const float centreX = app.game.mode.gameMode == ColorLines ? colorLinesNameCentreX : nameCentreX;
    drawCenteredText(target, a.font, app.players.currentPlayer, centreX * app.scaleX, nameTop * app.scaleY,
                     nameSize, sf::Color::White);
    for (const sf::Sprite& sprite : a.levelClock) {
        target.draw(sprite);
    }
    blinkDraw(a.levelDigits[0], target, false);
    blinkDraw(a.levelDigits[1], target, true);
    drawDigitRow(target, app.view.scoreRow);
    drawDigitRow(target, app.view.bestRow);
}

void drawButtons(AssetCatalogue& a, sf::RenderTarget& target) {
    target.draw(a.musicButton);
    target.draw(a.soundButton);
    target.draw(a.mainMenuButton);
    target.draw(a.pauseButton);
    target.draw(a.quitGameButton);
}

void drawBoard(AppContext& app, sf::RenderTarget& target) {
    sf::Sprite gem;
    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            const int code = cell(app.game.board, row, column);
            if (code == Empty) {
                continue;
            }
            gem.setTexture(app.assets.fallTextures[kindIndex(code)], true);
            placeSprite(gem, columnLeft(column), cellY(row), app.scaleX, app.scaleY);
            target.draw(gem);
        }
    }
}

sf::Sprite& modeBackground(AssetCatalogue& a, GameMode mode) {
    if (mode == ColorLines) {
        return a.backgroundColorLines;
    }
    return mode == Casual ? a.backgroundCasual : a.background;
}

} // namespace

void drawPlaying(AppContext& app) {
    drawPlaying(app, app.window);
}

void drawPlaying(AppContext& app, sf::RenderTarget& target) {
    AssetCatalogue& a = app.assets;
    const Game& game = app.game;
    const GameMode mode = game.mode.gameMode;
    showButtonPictures(app);
    placeGemSprites(app);
    target.draw(a.backdrop);
    target.draw(modeBackground(a, mode));
    if (mode != Casual) {
        drawHeader(app, target);
    }
    drawButtons(a, target);
    if (mode == ColorLines) {
        drawDigitRow(target, app.view.colorLinesRow);
    } else {
        drawDigitRow(target, app.view.patternsRow);
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
    drawBoard(app, target);
    drawWarningPulse(app, target);
    if (mode != ColorLines) {
        target.draw(a.trashTube);
    }
    if (game.popupPoints > 0) {
        layoutPopup(app);
        drawDigitRow(target, app.view.popupRow);
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

void drawSummary(AppContext& app, sf::RenderTarget& target) {
    AssetCatalogue& a = app.assets;
    const Game& game = app.game;
    const std::size_t message = endMessageIndex(game);
    target.draw(a.endMessages[message]);
    // Only a game lost to a full board tells how many levels it completed.
    if (!game.timeUp) {
        if (endLevelTensShown(game.level)) {
            target.draw(a.endLevelDigits[0]);
        }
        target.draw(a.endLevelDigits[1]);
    }
    layoutDigits(static_cast<unsigned>(game.score), app.view.endScoreRow, a.endDigitTextures,
                 {endScoreX * app.scaleX, endScoreY * app.scaleY}, endScoreSpacing * app.scaleX,
                 {app.scaleX, app.scaleY}, endScoreWidth, 255);
    drawDigitRow(target, app.view.endScoreRow);
}

bool playingUnpaused(const AppContext& app) {
    return gameState == Playing && !pausedByPlayer(app.game);
}

void pauseOrResume(AppContext& app) {
    if (gameState != Playing || !pauseAllowed(app.game)) {
        return;
    }
    // The event loop reads the audio before each event and carries the rules' requests out after it.
    togglePause(app.game);
}

} // namespace

void updateGameEnd(AppContext& app) {
    fadeEndPicture(app);
    Game& game = app.game;
    if (game.endMusicStarted || !app.audio.musicEnabled) {
        return;
    }
    playMusic(app);
    game.endMusicStarted = true;
}

void drawGameEnd(AppContext& app) {
    drawGameEnd(app, app.window);
}

void drawGameEnd(AppContext& app, sf::RenderTarget& target) {
    Game& game = app.game;
    if (!game.endSummaryReady) {
        // The ended game no longer uses landClock: from here it times the summary's delay.
        game.endSummaryReady = true;
        restart(game.landClock);
        refreshEndLevelDigits(app);
        // The screen's first frame comes before its first update; without this the picture would show
        // for one frame with the alpha the previous end screen left it.
        fadeEndPicture(app);
    }
    target.draw(endPicture(app));
    if (elapsedSeconds(game.landClock) <= summaryDelay || game.score <= 0) {
        return;
    }
    drawSummary(app, target);
}

void handleGameButtons(AppContext& app, sf::Vector2i mouse) {
    AssetCatalogue& a = app.assets;
    if (spriteUnderMouse(a.musicButton, mouse) && playingUnpaused(app)) {
        toggleMusic(app);
    }
    if (spriteUnderMouse(a.soundButton, mouse) && playingUnpaused(app)) {
        toggleSound(app);
    }
    if (spriteUnderMouse(a.mainMenuButton, mouse) && gameState == Playing) {
        leaveGameForMenu(app);
    }
    if (spriteUnderMouse(a.pauseButton, mouse)) {
        pauseOrResume(app);
    }
    if (spriteUnderMouse(a.quitGameButton, mouse) && gameState == Playing) {
        requestClose(app);
    }
}
