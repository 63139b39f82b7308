// The busiest game screen and its bare-sprite floor.
#include "bench/busy_screen.h"

#include "view/digits.h"
#include "view/game_screen.h"
#include "view/positions.h"

#include <array>
#include <locale>

namespace {

// Rows 2 to 7 of every play column hold gems; these columns also hold one in row 1, so they pulse.
constexpr int firstFullRow = 2;
constexpr int pulseRow = 1;
constexpr std::array<int, 4> pulsingColumns = {1, 4, 8, 10};
// A flush in progress: the lower half of the tube holds gems.
constexpr int firstTubeRow = 4;
constexpr int fallingColumn = 6;
constexpr int cursorColumn = 3;
constexpr int busyLevel = 37;
constexpr int busySecondsLeft = 42;
constexpr int busyScore = 12345;
constexpr int busyBest = 23456;
constexpr int busyPatterns = 321;
constexpr int busyPopupPoints = 56;
constexpr float busyPopupProgress = 30.0f;
constexpr float pulseScale = 1.1f; // a pulse midway through its swell
constexpr unsigned nameSize = 18;
const char* const busyPlayer = "Benchmark player";

// A spread of every kind, diamonds and trash included.
GemKind kindFor(int row, int column) {
    return static_cast<GemKind>(1 + (row * 5 + column * 3) % 10);
}

void fillBoard(Game& game) {
    for (int row = firstFullRow; row < boardRows; ++row) {
        for (int column = 0; column < trashColumn; ++column) {
            cell(game.board, row, column) = kindFor(row, column);
        }
    }
    for (int column : pulsingColumns) {
        cell(game.board, pulseRow, column) = kindFor(pulseRow, column);
    }
    for (int row = firstTubeRow; row < boardRows; ++row) {
        cell(game.board, row, trashColumn) = kindFor(row, trashColumn);
    }
}

void fillThreadAndPattern(Game& game) {
    for (int slot = 0; slot < threadSlots; ++slot) {
        game.thread[static_cast<std::size_t>(slot)] = static_cast<GemKind>(1 + (slot * 3) % 8);
        game.pattern[static_cast<std::size_t>(slot)] = static_cast<GemKind>(1 + (slot * 5) % 8);
    }
}

void addRow(std::vector<sf::Sprite>& sprites, const DigitRow& row) {
    sprites.insert(sprites.end(), row.begin(), row.end());
}

template <std::size_t N>
void addAll(std::vector<sf::Sprite>& sprites, const std::array<sf::Sprite, N>& group) {
    sprites.insert(sprites.end(), group.begin(), group.end());
}

void addBoardCells(AppContext& app, std::vector<sf::Sprite>& sprites) {
    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            const int code = cell(app.game.board, row, column);
            if (code == Empty) {
                continue;
            }
            sf::Sprite gem(app.assets.fallTextures[static_cast<std::size_t>(code - 1)]);
            placeSprite(gem, static_cast<float>(columnX[static_cast<std::size_t>(column)]),
                        static_cast<float>(boardTopY + cellSize * row), app.layout.scaleX, app.layout.scaleY);
            sprites.push_back(gem);
        }
    }
}

void addPulses(AppContext& app, std::vector<sf::Sprite>& sprites) {
    for (int column : pulsingColumns) {
        const sf::Texture& texture =
            app.assets.fallTextures[static_cast<std::size_t>(cell(app.game.board, pulseRow, column) - 1)];
        sf::Sprite pulse(texture);
        pulse.setOrigin(0.5f * static_cast<float>(texture.getSize().x),
                        0.5f * static_cast<float>(texture.getSize().y));
        pulse.setScale(app.layout.scaleX * pulseScale, app.layout.scaleY * pulseScale);
        pulse.setPosition(
            (static_cast<float>(columnX[static_cast<std::size_t>(column)]) + positions::pulseCentreOffset) *
                app.layout.scaleX,
            positions::pulseCentreY * app.layout.scaleY);
        sprites.push_back(pulse);
    }
}

sf::Text nameText(AppContext& app) {
    sf::Text name(sf::String(app.players.currentPlayer, std::locale()), app.assets.font, nameSize);
    name.setFillColor(sf::Color::White);
    name.setPosition(positions::nameCentreX * app.layout.scaleX - 0.5f * name.getLocalBounds().width,
                     positions::nameTop * app.layout.scaleY);
    return name;
}

} // namespace

void makeBusyGame(AppContext& app) {
    gameState = Playing;
    Game& game = app.game;
    game.mode.gameMode = Normal;
    fillBoard(game);
    fillThreadAndPattern(game);
    game.gemActive = true;
    game.fallRow = 0;
    game.fallColumn = fallingColumn;
    game.fallKind = 4;
    game.cursorColumn = cursorColumn;
    game.level = busyLevel;
    game.secondsLeft = busySecondsLeft;
    game.score = busyScore;
    game.bestScore = busyBest;
    game.patternsCompleted = busyPatterns;
    game.popupPoints = busyPopupPoints;
    game.popupProgress = busyPopupProgress;
    game.popupX = static_cast<float>(columnX[cursorColumn]); // design units, like the rules set it
    app.players.currentPlayer = busyPlayer;
    AssetCatalogue& a = app.assets;
    refreshLevelClock(a.levelClock, a.digitTextures, game.secondsLeft);
    refreshLevelDigits(a.levelDigits, a.digitTextures, game.level);
    layoutPlayReadouts(app.view, game, a.digitTextures, app.layout);
}

void drawGameFrame(AppContext& app) {
    drainEvents(app.window);
    drawPlaying(app.window, app.layer, app.assets, app.view, app.game, app.audio, app.players.currentPlayer,
                app.layout);
    app.window.display();
}

FloorScene buildFloorScene(AppContext& app) {
    AssetCatalogue& a = app.assets;
    GameView& v = app.view;
    FloorScene scene;
    scene.still = {a.backdrop,       a.background,  a.musicButton,   a.soundButton,
                   a.mainMenuButton, a.pauseButton, a.quitGameButton};
    std::vector<sf::Sprite>& s = scene.moving;
    addAll(s, a.levelClock);
    addAll(s, a.levelDigits);
    addRow(s, v.scoreRow);
    addRow(s, v.bestRow);
    addRow(s, v.patternsRow);
    addAll(s, a.patternSprites);
    addAll(s, a.threadSprites);
    s.push_back(a.fallingGem);
    addBoardCells(app, s);
    addPulses(app, s);
    s.push_back(a.trashTube);
    addRow(s, v.popupRow);
    scene.name = nameText(app);
    return scene;
}

void drawFloorFrame(sf::RenderWindow& window, const FloorScene& scene) {
    drainEvents(window);
    window.clear(sf::Color(0, 0, 0, 255));
    for (const auto* group : {&scene.still, &scene.moving}) {
        for (const sf::Sprite& sprite : *group) {
            window.draw(sprite);
        }
    }
    window.draw(scene.name);
    window.display();
}

bool buildBlitFloor(const FloorScene& scene, sf::Vector2u size, BlitFloor& floor) {
    if (!floor.picture.create(size.x, size.y)) {
        return false;
    }
    floor.picture.clear(sf::Color(0, 0, 0, 255));
    for (const sf::Sprite& sprite : scene.still) {
        floor.picture.draw(sprite);
    }
    floor.picture.draw(scene.name);
    floor.picture.display();
    floor.moving = scene.moving;
    return true;
}

void drawBlitFloorFrame(sf::RenderWindow& window, const BlitFloor& floor) {
    drainEvents(window);
    window.draw(sf::Sprite(floor.picture.getTexture()), sf::BlendNone);
    for (const sf::Sprite& sprite : floor.moving) {
        window.draw(sprite);
    }
    window.display();
}

void drainEvents(sf::RenderWindow& window) {
    sf::Event event{};
    while (window.pollEvent(event)) {
    }
}
