// Measuring helpers of the benchmark.
#include "bench/measure.h"

#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr double kibPerMib = 1024.0;

} // namespace

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) {
        return values[middle];
    }
    return 0.5 * (values[middle - 1] + values[middle]);
}

double peakResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) != 0) {
            continue;
        }
        std::istringstream fields(line.substr(6));
        double kib = 0.0;
        fields >> kib;
        return kib / kibPerMib;
    }
    return 0.0;
}

void finishDrawing() { glFinish(); }
