// The benchmark program: frame time of the busiest game screen and start-up time to the first frame,
// each against its bare SFML floor, and the peak resident memory after start-up. The frame has two
// floors: the same sprites drawn one by one, and one opaque full-screen picture drawn without blending
// plus the sprites that move. Prints a table of medians, then frame_ratio, blit_ratio, startup_ratio
// and peak_rss_mb as its last lines. With --tag NAME it measures frames only and names its lines
// frame_ratio_NAME and blit_ratio_NAME (for a run on another display size).
#include "app/startup.h"
#include "bench/busy_screen.h"
#include "bench/measure.h"
#include "bench/startup_probe.h"

#include <algorithm>
#include <array>
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
    std::string tag;
};

struct Series {
    std::vector<double> game;
    std::vector<double> floor;
    std::vector<double> blit;
};

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--repetitions") == 0 && value > 0) {
            options.repetitions = value;
        } else if (std::strcmp(argv[i], "--frames") == 0 && value > 0) {
            options.frames = value;
        } else if (std::strcmp(argv[i], "--tag") == 0) {
            options.tag = argv[i + 1];
        }
    }
    return options;
}

std::string selfPath() {
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

using Frame = std::function<void()>;

// Mean time of one frame over a batch, with the driver's queue emptied before and after.
double timeFrames(const Frame& frame, int count) {
    finishDrawing();
    const double start = monotonicSeconds();
    for (int i = 0; i < count; ++i) {
        frame();
    }
    finishDrawing();
    return (monotonicSeconds() - start) / count;
}

// Batches of the game and of the floors take turns, each going first in turn, so load from elsewhere on
// the machine falls on all alike.
void measureRounds(const Options& options, const std::array<Frame, 3>& frames, Series& series) {
    std::array<std::vector<double>*, 3> results = {&series.game, &series.floor, &series.blit};
    for (const Frame& frame : frames) {
        timeFrames(frame, warmUpFrames);
    }
    for (int r = 0; r < options.repetitions; ++r) {
        for (std::size_t k = 0; k < frames.size(); ++k) {
            const std::size_t which = (k + static_cast<std::size_t>(r)) % frames.size();
            results[which]->push_back(timeFrames(frames[which], options.frames));
        }
    }
}

bool measureFrames(const Options& options, Series& series) {
    auto app = std::make_unique<AppContext>();
    startApp(*app, sf::VideoMode::getDesktopMode(), sf::Style::Fullscreen);
    makeBusyGame(*app);
    drawGameFrame(*app);
    const FloorScene scene = buildFloorScene(*app);
    auto blit = std::make_unique<BlitFloor>();
    if (!buildBlitFloor(scene, app->window.getSize(), *blit)) {
        return false;
    }
    measureRounds(options,
                  {[&] { drawGameFrame(*app); }, [&] { drawFloorFrame(app->window, scene); },
                   [&] { drawBlitFloorFrame(app->window, *blit); }},
                  series);
    std::printf("busiest game screen at %ux%u: %zu sprites and the player's name per frame in the floor, "
                "%zu sprites over one picture in the blit floor\n",
                app->window.getSize().x, app->window.getSize().y, scene.still.size() + scene.moving.size(),
                blit->moving.size());
    return true;
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

void printFrames(const Options& options, const Series& frames) {
    std::printf("\nmedians of %d repetitions (%d frames per frame batch)\n", options.repetitions,
                options.frames);
    std::printf("%-34s %13s %13s %8s\n", "measure", "game", "floor", "ratio");
    printRow("frame, busiest game screen", frames.game, frames.floor);
    printRow("frame, against the blit floor", frames.game, frames.blit);
}

void printFrameSpread(const Series& frames) {
    std::printf("spread (fastest .. slowest):\n");
    printSpread("frame, game", frames.game);
    printSpread("frame, floor", frames.floor);
    printSpread("frame, blit floor", frames.blit);
}

void printFrameRatios(const Series& frames, const std::string& suffix) {
    std::printf("frame_ratio%s: %.3f\n", suffix.c_str(), median(frames.game) / median(frames.floor));
    std::printf("blit_ratio%s: %.3f\n", suffix.c_str(), median(frames.game) / median(frames.blit));
}

void printReport(const Options& options, const Series& frames, const Series& startup, double peakMb) {
    printFrames(options, frames);
    printRow("start-up to first frame", startup.game, startup.floor);
    std::printf("%-34s %10.1f MB\n", "peak resident memory after start", peakMb);
    printFrameSpread(frames);
    printSpread("start-up, game", startup.game);
    printSpread("start-up, floor", startup.floor);
    printFrameRatios(frames, "");
    std::printf("startup_ratio: %.3f\n", median(startup.game) / median(startup.floor));
    std::printf("peak_rss_mb: %.1f\n", peakMb);
}

int runFramesOnly(const Options& options) {
    Series frames;
    if (!measureFrames(options, frames)) {
        std::fprintf(stderr, "no window-sized texture could be made for the blit floor\n");
        return 1;
    }
    printFrames(options, frames);
    printFrameSpread(frames);
    printFrameRatios(frames, "_" + options.tag);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 &&
        (std::strcmp(argv[1], startupGameFlag) == 0 || std::strcmp(argv[1], startupFloorFlag) == 0)) {
        return runStartupChild(argv[1]);
    }
    const Options options = parseOptions(argc, argv);
    if (!options.tag.empty()) {
        return runFramesOnly(options);
    }
    Series startup;
    std::vector<double> peaks;
    if (!measureStartup(options, startup, peaks)) {
        std::fprintf(stderr, "a start-up run failed: is the working directory the one holding assets/?\n");
        return 1;
    }
    Series frames;
    if (!measureFrames(options, frames)) {
        std::fprintf(stderr, "no window-sized texture could be made for the blit floor\n");
        return 1;
    }
    printReport(options, frames, startup, median(peaks));
    return 0;
}
