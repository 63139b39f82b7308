// Start-up of the application and its frame loop.
#pragma once

#include "app/app_context.h"

// Whether the folder "assets" the game loads everything from is in the working directory; when it is not,
// says in one line where it was looked for and how to start the game.
bool findAssetsFolder();

// Opens the window on the given video mode and style and prepares everything the first frame needs.
void startApp(AppContext& app, const sf::VideoMode& mode, sf::Uint32 style);

// One frame: every pending window event, then the rest of the frame (see stepFrame).
void runFrame(AppContext& app);
// Handles one window event completely, as the poll loop does for each event it takes.
void handleEvent(AppContext& app, const sf::Event& event);
// The frame after its events: mouse, update, key latches, clear, draw, display.
void stepFrame(AppContext& app);
