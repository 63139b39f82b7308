// Stopwatches over a manual time source, the basis of every timed rule's test, and over the real one.
#include "game/stopwatch.h"

#include <gtest/gtest.h>

TEST(Stopwatch, FollowsTheManualSourceAndRestartsAndReadsZeroWithoutASource) {
    TimeSource time{true, 100.0};
    Stopwatch watch = makeStopwatch(time);
    advance(time, 1.25);
    EXPECT_FLOAT_EQ(elapsedSeconds(watch), 1.25f);
    restart(watch);
    advance(time, 0.5);
    EXPECT_FLOAT_EQ(elapsedSeconds(watch), 0.5f);
    Stopwatch unbound;
    restart(unbound);
    EXPECT_FLOAT_EQ(elapsedSeconds(unbound), 0.0f);
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
