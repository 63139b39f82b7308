// Start-up of a fresh process, timed from just before it is spawned to its first displayed frame: the
// game's own start-up, and a floor that opens the same window and loads the same asset files once each.
#pragma once

#include <string>

struct StartupSample {
    double seconds = 0.0; // spawn to first displayed frame
    double peakMb = 0.0;  // the child's peak resident memory at that moment
};

constexpr const char* startupGameFlag = "--startup-game";
constexpr const char* startupFloorFlag = "--startup-floor";

// In the child: starts up as the flag says, shows one frame, prints "<monotonic seconds> <peak MiB>".
int runStartupChild(const std::string& flag);
// In the parent: runs this program again with the flag and reads the child's line; false on failure.
bool timeStartup(const std::string& self, const std::string& flag, StartupSample& sample);
