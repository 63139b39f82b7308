// The application context: everything the running game owns, from the window to the players.
// Created by the entry point, torn down in reverse order of its members.
#pragma once

#include "game/game.h"
#include "game/stopwatch.h"
#include "view/assets.h"
#include "view/audio.h"
#include "view/composed_layer.h"
#include "view/game_view.h"
#include "view/layout.h"

#include <SFML/Graphics.hpp>

#include <array>
#include <string>
#include <vector>

// Top-level screen; program-wide.
enum GameStateValue : int { StartPage = 0, Menu = 1, Playing = 2, GameEnd = 3 };
extern int gameState;

enum MenuPage : int { MainMenu = 1, Settings = 2, Instructions = 3, About = 4 };

sf::Vector2i readWindowMouse(const sf::Window& window);

// The players as the settings page and the game screen see them.
struct PlayerState {
    std::string currentPlayer;
    int lastPlayerIndex = -1;
    std::vector<std::string> playerNames;
    std::string nameInput;
    sf::Text nameText;
    sf::Text wrongInputText;
    bool inputAccepted = true;
    Stopwatch wrongInputClock;
};

// The left button as the menus read it. A click acts once, when its press arrives, wherever the release
// comes; a press held still goes on acting on the control it hit: a volume arrow repeats, Start keeps its
// fade-out from ending.
enum class HeldControl { None, Start, VolumeArrow };
struct MousePress {
    bool held = false;
    bool moved = false; // the mouse moved since the press: a held control stops acting
    HeldControl control = HeldControl::None;
    sf::Vector2i at;
};

// Where the frame loop reads the keyboard and the mouse; tests replace these to drive a screen.
struct InputSource {
    bool (*keyHeld)(sf::Keyboard::Key key) = &sf::Keyboard::isKeyPressed;
    sf::Vector2i (*mousePosition)(const sf::Window& window) = &readWindowMouse;
};

struct AppContext {
    AppContext() = default;
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;
    // The window may use the custom cursor, which dies with the catalogue before the window does:
    // close the window first, as the frame loop's end does.
    ~AppContext() { window.close(); }

    sf::RenderWindow window;
    Layout layout;
    TimeSource time;
    InputSource input;

    Stopwatch fadeClock;
    Stopwatch cursorClock;
    Stopwatch volumeRepeatClock;
    bool cursorVisible = false;
    sf::Vector2i lastMousePosition;
    sf::Vector2i mousePosition;
    MousePress press;
    // Closing waits for the end of the frame, so every event already taken this frame is still handled.
    bool closeRequested = false;
    // The design lets a board-full frame end early: its drawing and display are skipped.
    bool skipRestOfFrame = false;

    AssetCatalogue assets;
    // The current screen's still part, composed once and drawn first in every frame.
    ComposedLayer layer;

    // Screen flow.
    int menuPage = MainMenu;
    bool startWaiting = true;
    bool menuShown = false;
    bool gameReady = false;
    bool namePrompt = false;
    // This frame's reading of fadeClock in the menu update, and the hover state of the five main-menu
    // buttons (Start, Settings, Instructions, About, Quit); the drawing uses both.
    float menuFadeSeconds = 0.0f;
    std::array<bool, 5> menuHover{};
    Volumes volumes;

    Game game;
    GameView view;
    Audio audio;
    PlayerState players;
    std::string highScorePath = "assets/highscore.txt";

    // Test harnesses watching the real binary may ask for a frame count written to a file about once a
    // second (TAVRELLO_HEARTBEAT): a count that stops growing is a hung frame loop.
    std::string heartbeatPath;
    unsigned long framesShown = 0;
    Stopwatch heartbeatClock;
};
