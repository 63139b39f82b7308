// Start-up timing through child processes: the parent notes the monotonic clock, spawns this program
// again with a start-up flag, and the child prints the clock at its first displayed frame.
#include "bench/startup_probe.h"

#include "app/startup.h"
#include "bench/measure.h"
#include "view/mp3_reader.h"

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const char* const assetDir = "assets";
constexpr std::size_t readChunk = 256;

// Everything the floor loads stays alive until its first frame, as the game's catalogue does.
struct LoadedFiles {
    std::vector<std::unique_ptr<sf::Texture>> textures;
    std::vector<std::unique_ptr<sf::SoundBuffer>> buffers;
    std::vector<std::unique_ptr<sf::Music>> music;
    std::vector<std::unique_ptr<sf::Font>> fonts;
};

template <typename Resource, typename Load>
void keep(std::vector<std::unique_ptr<Resource>>& list, Load load) {
    list.push_back(std::make_unique<Resource>());
    load(*list.back());
}

void loadFile(LoadedFiles& files, const std::filesystem::path& path) {
    const std::string ext = path.extension().string();
    const std::string name = path.string();
    if (ext == ".png") {
        keep(files.textures, [&](sf::Texture& t) { t.loadFromFile(name); });
    } else if (ext == ".mp3") {
        keep(files.buffers, [&](sf::SoundBuffer& b) { b.loadFromFile(name); });
    } else if (ext == ".ogg") {
        keep(files.music, [&](sf::Music& m) { m.openFromFile(name); });
    } else if (ext == ".TTF" || ext == ".ttf") {
        keep(files.fonts, [&](sf::Font& f) { f.loadFromFile(name); });
    }
}

std::vector<std::filesystem::path> assetFiles() {
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(assetDir)) {
        paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

int reportFirstFrame() {
    finishDrawing();
    std::printf("%.6f %.1f\n", monotonicSeconds(), peakResidentMb());
    std::fflush(stdout);
    return 0;
}

int gameChild() {
    auto app = std::make_unique<AppContext>();
    startApp(*app, sf::VideoMode::getDesktopMode(), sf::Style::Fullscreen);
    runFrame(*app);
    return reportFirstFrame();
}

int floorChild() {
    sf::RenderWindow window(sf::VideoMode::getDesktopMode(), "Tavrello Game", sf::Style::Fullscreen);
    registerMp3Reader();
    LoadedFiles files;
    for (const auto& path : assetFiles()) {
        loadFile(files, path);
    }
    window.clear(sf::Color(0, 0, 0, 255));
    window.display();
    return reportFirstFrame();
}

std::string readAll(int fd) {
    std::string text;
    char buffer[readChunk];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

// Spawns the child with its standard output on a pipe; returns its output, empty on failure.
std::string runChild(const std::string& self, const std::string& flag, double& spawnedAt) {
    int fds[2];
    if (pipe(fds) != 0) {
        return "";
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv = {const_cast<char*>(self.c_str()), const_cast<char*>(flag.c_str()), nullptr};
    pid_t pid = 0;
    spawnedAt = monotonicSeconds();
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    const std::string output = spawned == 0 ? readAll(fds[0]) : "";
    close(fds[0]);
    int status = 0;
    if (spawned == 0 && (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)) {
        return "";
    }
    return output;
}

} // namespace

int runStartupChild(const std::string& flag) { return flag == startupGameFlag ? gameChild() : floorChild(); }

bool timeStartup(const std::string& self, const std::string& flag, StartupSample& sample) {
    double spawnedAt = 0.0;
    const std::string output = runChild(self, flag, spawnedAt);
    double shownAt = 0.0;
    double peakMb = 0.0;
    if (std::sscanf(output.c_str(), "%lf %lf", &shownAt, &peakMb) != 2) {
        return false;
    }
    sample.seconds = shownAt - spawnedAt;
    sample.peakMb = peakMb;
    return true;
}
