#pragma once
// The points of one run: with S the level's standard time and t the run time in seconds,
// Int(50 × ((S − t) / S)³ + 5) when t ≤ S, 4 when S < t < 2S, 1 when 2S ≤ t < 10S, 0 from
// 10S on and for a time-out (t ≥ 99998). The multiplier is applied by the caller.

namespace zanfolio {

enum class PointsTime {
    FirstThreeDigits, // stored records: the cube uses the number of t's first three digits
    Exact,            // the run just made (evaluation screen): t itself
};

// Base points before the multiplier. A standard time of 0 or less gives 0 (it would divide
// by zero).
int basePoints(double standardTime, long long seconds,
               PointsTime rule = PointsTime::FirstThreeDigits);

// Int(points × multiplier), as the tallies add them.
int multipliedPoints(int basePoints, double multiplier);

} // namespace zanfolio
