#pragma once
// The points of one run: with S the level's standard time and t the run time in seconds,
// Int(50 × ((S − t) / S)³ + 5) when t ≤ S, 4 when S < t < 2S, 1 when 2S ≤ t < 10S, 0 from
// 10S on and for a time-out (t ≥ 99998). The multiplier is applied by the caller.

#include <cstdint>

namespace zanfolio {

enum class PointsTime {
    FirstThreeDigits, // stored records: the cube uses the number of t's first three digits
    Exact,            // the run just made (evaluation screen): t itself
};

// Base points before the multiplier. A standard time of 0 or less gives 0 (it would divide
// by zero).
int basePoints(double standardTime, long long seconds,
               PointsTime rule = PointsTime::FirstThreeDigits);

// Int(points × multiplier), as the tallies add them. A product beyond the 32-bit range (an
// out-of-range multiplier typed in the criteria) stands at the nearest end of the range; a
// multiplier that is not a number gives 0.
int multipliedPoints(int basePoints, double multiplier);

// sum += points, standing at the ends of the 32-bit range instead of overflowing.
void addPoints(int32_t& sum, int32_t points);

} // namespace zanfolio
