// The drill's clock: time-outs, the seconds counted, and the time bar's marks.

#include "drill/runclock.h"

#include <gtest/gtest.h>

using namespace zanfolio;

TEST(RunClock, TheTimeOutIsFiveMinimumLinesAndReachedOnItsSecond) {
    EXPECT_EQ(timeoutSecondsFor(12), 60);
    EXPECT_EQ(timeoutSecondsFor(0), 0);
    EXPECT_EQ(timeoutSecondsFor(-3), 0);
    EXPECT_FALSE(reachesTimeout(59, 60));
    EXPECT_TRUE(reachesTimeout(60, 60));
    EXPECT_FALSE(reachesTimeout(100000, 0)) << "a level without time-out never times out";
    // Half a second rounds up: the tick at 59.5 s shows 60 and times the run out.
    EXPECT_EQ(elapsedSecondsOf(59499), 59);
    EXPECT_EQ(elapsedSecondsOf(59500), 60);
}

TEST(RunClock, TheFrameStandsForTheTimeOutOrFiveMinutes) {
    struct Case {
        int frame, timeout;
        double seconds;
        int width;
    } const cases[] = {
        {300, 60, 30, 150}, {300, 60, 60, 300}, {300, 60, 90, 300}, // held in the frame
        {300, 0, 150, 150}, {300, 0, 400, 300},                     // 300 s without time-out
        {301, 200, 40, 60}, {301, 200, 41, 62},                     // rounded to the pixel
    };
    for (const Case& c : cases)
        EXPECT_EQ(barWidthFor(c.seconds, barScaleFor(c.frame, c.timeout), c.frame), c.width)
            << c.frame << " px, time-out " << c.timeout << " s, at " << c.seconds << " s";
}
