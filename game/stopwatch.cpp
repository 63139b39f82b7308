// Time sources and stopwatches.
#include "game/stopwatch.h"

#include <chrono>

double nowSeconds(const TimeSource& source) {
    if (source.manual) {
        return source.manualSeconds;
    }
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void advance(TimeSource& source, double seconds) { source.manualSeconds += seconds; }

Stopwatch makeStopwatch(const TimeSource& source) { return Stopwatch{&source, nowSeconds(source)}; }

void restart(Stopwatch& watch) {
    if (watch.source != nullptr) {
        watch.startedAt = nowSeconds(*watch.source);
    }
}

float elapsedSeconds(const Stopwatch& watch) {
    if (watch.source == nullptr) {
        return 0.0f;
    }
    return static_cast<float>(nowSeconds(*watch.source) - watch.startedAt);
}
