// The screens of the state machine: their event reactions, per-frame updates and drawing.
#pragma once

#include "app/app_context.h"

// Asks for the window to close once this frame is over.
void requestClose(AppContext& app);

// Splash page.
void updateStartPage(AppContext& app);
void leaveStartPage(AppContext& app);

// Menu pages: main menu, settings, instructions, about.
void updateMenu(AppContext& app);
void drawMenu(AppContext& app);
void prepareNewGame(AppContext& app);
void returnToMainMenu(AppContext& app);
// A left click on a menu page other than the main menu; a click on the main menu's buttons.
void handleMenuPageClick(AppContext& app, sf::Vector2i click);
void handleMainMenuClick(AppContext& app, sf::Vector2i click);

// Settings page controls (volumes, modes, back), and each frame of the page: a held volume arrow repeats
// every 0.2 s, the read-outs follow the volumes.
void handleSettingsClick(AppContext& app, sf::Vector2i click);
void updateSettingsPage(AppContext& app);

// Name entry and player selection on the settings page.
void handleNameCharacter(AppContext& app, sf::Uint32 code);
void refreshNameText(AppContext& app);
void deleteCurrentPlayer(AppContext& app);
void pickListedPlayer(AppContext& app, sf::Vector2i click);
// The name field and the player list as the settings page shows them this frame.
void drawPlayerPanel(AppContext& app);

// The game screen and the end screen.
void handlePlayingKey(AppContext& app, sf::Keyboard::Key key);
void updatePlayingScreen(AppContext& app);
void leaveGameForMenu(AppContext& app);
void updateGameEndScreen(AppContext& app);
void leaveEndScreen(AppContext& app);
// A left click on the game screen, mouse in window pixels: music, sound, main menu, pause, quit.
void handleGameButtons(AppContext& app, sf::Vector2i mouse);

// The audio switches as the player uses them: the rules' copy of the switches follows at once.
void switchMusic(AppContext& app);
void switchSound(AppContext& app);
// M and S: once per press (latched), never while the game is paused or on the settings page.
void handleAudioKey(AppContext& app, sf::Keyboard::Key key);
// Carries out what the rules asked for (cues, music, clock and level pictures), then clears the requests.
void carryOutRequests(AppContext& app);
