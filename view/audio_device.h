// Whether the game can be heard: an audio device to open at start-up, and whether the one SFML opened is
// still there (a sound server can go away while the game runs).
#pragma once

// Opens and closes the default device once: false when there is none. SFML itself would report the
// failure from every sound object made without a device, so this is asked before any is made.
bool audioDeviceAvailable();
// False once the device SFML opened reports that it was disconnected, or when none is open.
bool audioDeviceConnected();
