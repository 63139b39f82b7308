// Stopwatches over a manual time source: the basis of every timed rule's test.
#include "game/stopwatch.h"

#include <gtest/gtest.h>

TEST(Stopwatch, FollowsTheManualSourceAndRestarts) {
    TimeSource time;
    time.manual = true;
    time.manualSeconds = 100.0;
    Stopwatch watch = makeStopwatch(time);
    EXPECT_FLOAT_EQ(elapsedSeconds(watch), 0.0f);
    advance(time, 1.25);
    EXPECT_FLOAT_EQ(elapsedSeconds(watch), 1.25f);
    restart(watch);
    EXPECT_FLOAT_EQ(elapsedSeconds(watch), 0.0f);
    advance(time, 0.5);
    EXPECT_FLOAT_EQ(elapsedSeconds(watch), 0.5f);
}

TEST(Stopwatch, WithoutASourceReadsZero) {
    Stopwatch watch;
    restart(watch);
    EXPECT_FLOAT_EQ(elapsedSeconds(watch), 0.0f);
}

TEST(Stopwatch, RealSourceMovesForward) {
    TimeSource real;
    const double first = nowSeconds(real);
    double later = nowSeconds(real);
    while (later == first) {
        later = nowSeconds(real);
    }
    EXPECT_GT(later, first);
}
