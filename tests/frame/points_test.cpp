#include "frame/points.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

using namespace zanfolio;

TEST(Points, WorkedExamples) {
    struct Case {
        double standard;
        long long t;
        int points;
    };
    for (const Case& c :
         {Case{40, 30, 5}, Case{40, 20, 11}, Case{40, 0, 55}, Case{40, 40, 5}, Case{40, 41, 4},
          Case{40, 60, 4}, Case{40, 80, 1}, Case{40, 100, 1}, Case{40, 399, 1}, Case{40, 400, 0},
          Case{40, 99999, 0}, Case{200000, 99998, 0}, Case{0, 0, 0}, Case{0, 5, 0}}) {
        EXPECT_EQ(basePoints(c.standard, c.t), c.points) << c.standard << " " << c.t;
    }
}

TEST(Points, StoredRecordsUseTheFirstThreeDigitsOfLongTimes) {
    // S = 2000, t = 1500: the stored rule cubes (2000 − 150) / 2000, the exact one (2000 − 1500) /
    // 2000.
    EXPECT_EQ(basePoints(2000, 1500, PointsTime::FirstThreeDigits), 44);
    EXPECT_EQ(basePoints(2000, 1500, PointsTime::Exact), 5);
    EXPECT_EQ(basePoints(2000, 999, PointsTime::FirstThreeDigits),
              basePoints(2000, 999, PointsTime::Exact));
}

TEST(Points, MultiplierTruncatesAfterMultiplying) {
    EXPECT_EQ(multipliedPoints(11, 1.5f), 16);
    EXPECT_EQ(multipliedPoints(5, 1.0f), 5);
    EXPECT_EQ(multipliedPoints(10, 1.1f), 11);
    EXPECT_EQ(multipliedPoints(3, 0.0f), 0);
}

TEST(Points, AHugeMultiplierSaturatesInsteadOfOverflowing) {
    constexpr int kMax = std::numeric_limits<int32_t>::max();
    constexpr int kMin = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(multipliedPoints(55, 99999999.0f), kMax);
    EXPECT_EQ(multipliedPoints(55, -99999999.0f), kMin);
    EXPECT_EQ(multipliedPoints(55, std::numeric_limits<float>::infinity()), kMax);
    EXPECT_EQ(multipliedPoints(5, std::numeric_limits<float>::quiet_NaN()), 0);

    int32_t sum = kMax - 3;
    addPoints(sum, 5);
    EXPECT_EQ(sum, kMax);
    addPoints(sum, -5);
    EXPECT_EQ(sum, kMax - 5);
    int32_t low = kMin + 1;
    addPoints(low, -7);
    EXPECT_EQ(low, kMin);
}
