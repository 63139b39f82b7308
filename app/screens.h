// The screens of the state machine: their event reactions, per-frame updates and drawing.
#pragma once

#include "app/app_context.h"

// Asks for the window to close once this frame is over.
void requestClose(AppContext& app);

// Splash page.
void updateStartPage(AppContext& app);
void drawStartPage(AppContext& app);
void leaveStartPage(AppContext& app);

// Menu pages: main menu, settings, instructions, about.
void updateMenu(AppContext& app);
void drawMenu(AppContext& app);
void prepareNewGame(AppContext& app);
void returnToMainMenu(AppContext& app);
void handleMenuPageClick(AppContext& app);
bool isLeftPress(const sf::Event& event);

// Settings page controls (volumes, modes, back) and its drawing.
void handleSettingsClick(AppContext& app);
void drawSettingsPage(AppContext& app);

// Name entry and player selection on the settings page.
void handleNameCharacter(AppContext& app, sf::Uint32 code);
void refreshNameText(AppContext& app);
void deleteCurrentPlayer(AppContext& app);
void pickListedPlayer(AppContext& app, sf::Vector2i click);
void drawPlayerList(AppContext& app);
void drawNameField(AppContext& app);

// The game screen and the end screen.
void handlePlayingKey(AppContext& app, sf::Keyboard::Key key);
void updatePlayingScreen(AppContext& app);
void leaveGameForMenu(AppContext& app);
void updateGameEndScreen(AppContext& app);
void leaveEndScreen(AppContext& app);
