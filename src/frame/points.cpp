#include "frame/points.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace zanfolio {

namespace {
// The number formed by the first three characters of t's decimal text.
double firstThreeDigits(long long t) {
    const std::string s = std::to_string(t);
    return std::stod(s.substr(0, 3) == "-" ? std::string("0") : s.substr(0, 3));
}
} // namespace

int basePoints(double s, long long t, PointsTime rule) {
    if (t >= 99998)
        return 0;
    if (t <= s) {
        if (s <= 0)
            return 0;
        const double tt = rule == PointsTime::FirstThreeDigits ? firstThreeDigits(t) : double(t);
        const double ratio = (s - tt) / s;
        return int(std::floor(50.0 * ratio * ratio * ratio + 5.0));
    }
    if (t < 2 * s)
        return 4;
    if (t < 10 * s)
        return 1;
    return 0;
}

int multipliedPoints(int base, double multiplier) {
    // The multiplier is a single-precision number in the criteria; 1.5 × 11 = 16.5 → 16.
    const double product = std::floor(double(base) * double(float(multiplier)));
    if (std::isnan(product))
        return 0;
    return int(std::clamp<double>(product, std::numeric_limits<int32_t>::min(),
                                  std::numeric_limits<int32_t>::max()));
}

void addPoints(int32_t& sum, int32_t points) {
    sum = int32_t(std::clamp<int64_t>(int64_t(sum) + points, std::numeric_limits<int32_t>::min(),
                                      std::numeric_limits<int32_t>::max()));
}

} // namespace zanfolio
