// The benchmark program: frame time of the busiest game screen and start-up time to the first frame,
// each against its bare SFML floor, and the peak resident memory after start-up. Prints a table of
// medians, then frame_ratio, startup_ratio and peak_rss_mb as its last three lines.
#include "app/startup.h"
#include "bench/busy_screen.h"
#include "bench/measure.h"
#include "bench/startup_probe.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int defaultRepetitions = 7;
constexpr int defaultFrames = 120;
constexpr int warmUpFrames = 20;
constexpr double millisecondsPerSecond = 1000.0;

struct Options {
    int repetitions = defaultRepetitions;
    int frames = defaultFrames;
};

struct Series {
    std::vector<double> game;
    std::vector<double> floor;
};

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--repetitions") == 0 && value > 0) {
            options.repetitions = value;
        } else if (std::strcmp(argv[i], "--frames") == 0 && value > 0) {
            options.frames = value;
        }
    }
    return options;
}

std::string selfPath() {
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

// Mean time of one frame over a batch, with the driver's queue emptied before and after.
double timeFrames(const std::function<void()>& frame, int count) {
    finishDrawing();
    const double start = monotonicSeconds();
    for (int i = 0; i < count; ++i) {
        frame();
    }
    finishDrawing();
    return (monotonicSeconds() - start) / count;
}

// Batches of the game and of the floor alternate, each going first in turn, so load from elsewhere on
// the machine falls on both alike.
Series measureFrames(const Options& options) {
    auto app = std::make_unique<AppContext>();
    startApp(*app, sf::VideoMode::getDesktopMode(), sf::Style::Fullscreen);
    makeBusyGame(*app);
    drawGameFrame(*app);
    const FloorScene scene = buildFloorScene(*app);
    const auto game = [&] { drawGameFrame(*app); };
    const auto floor = [&] { drawFloorFrame(app->window, scene); };
    timeFrames(game, warmUpFrames);
    timeFrames(floor, warmUpFrames);
    Series series;
    for (int r = 0; r < options.repetitions; ++r) {
        if (r % 2 == 0) {
            series.game.push_back(timeFrames(game, options.frames));
            series.floor.push_back(timeFrames(floor, options.frames));
        } else {
            series.floor.push_back(timeFrames(floor, options.frames));
            series.game.push_back(timeFrames(game, options.frames));
        }
    }
    std::printf("busiest game screen: %zu sprites and the player's name per frame in the floor\n",
                scene.sprites.size());
    return series;
}

bool measureStartup(const Options& options, Series& times, std::vector<double>& peaks) {
    const std::string self = selfPath();
    for (int r = 0; r < options.repetitions; ++r) {
        StartupSample game;
        StartupSample floor;
        if (!timeStartup(self, startupGameFlag, game) || !timeStartup(self, startupFloorFlag, floor)) {
            return false;
        }
        times.game.push_back(game.seconds);
        times.floor.push_back(floor.seconds);
        peaks.push_back(game.peakMb);
    }
    return true;
}

void printRow(const char* name, const std::vector<double>& game, const std::vector<double>& floor) {
    const double g = median(game) * millisecondsPerSecond;
    const double f = median(floor) * millisecondsPerSecond;
    std::printf("%-34s %10.2f ms %10.2f ms %8.3f\n", name, g, f, g / f);
}

void printSpread(const char* name, std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::printf("  %-32s %.2f .. %.2f ms\n", name, values.front() * millisecondsPerSecond,
                values.back() * millisecondsPerSecond);
}

void printReport(const Options& options, const Series& frames, const Series& startup, double peakMb) {
    std::printf("\nmedians of %d repetitions (%d frames per frame batch)\n", options.repetitions, options.frames);
    std::printf("%-34s %13s %13s %8s\n", "measure", "game", "floor", "ratio");
    printRow("frame, busiest game screen", frames.game, frames.floor);
    printRow("start-up to first frame", startup.game, startup.floor);
    std::printf("%-34s %10.1f MB\n", "peak resident memory after start", peakMb);
    std::printf("spread (fastest .. slowest):\n");
    printSpread("frame, game", frames.game);
    printSpread("frame, floor", frames.floor);
    printSpread("start-up, game", startup.game);
    printSpread("start-up, floor", startup.floor);
    std::printf("frame_ratio: %.3f\n", median(frames.game) / median(frames.floor));
    std::printf("startup_ratio: %.3f\n", median(startup.game) / median(startup.floor));
    std::printf("peak_rss_mb: %.1f\n", peakMb);
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], startupGameFlag) == 0 || std::strcmp(argv[1], startupFloorFlag) == 0)) {
        return runStartupChild(argv[1]);
    }
    const Options options = parseOptions(argc, argv);
    Series startup;
    std::vector<double> peaks;
    if (!measureStartup(options, startup, peaks)) {
        std::fprintf(stderr, "a start-up run failed: is the working directory the one holding assets/?\n");
        return 1;
    }
    const Series frames = measureFrames(options);
    printReport(options, frames, startup, median(peaks));
    return 0;
}
