#include "frame/daycount.h"

#include <cmath>

namespace zanfolio {

namespace {
const QDate kDayZero(1899, 12, 30);
}

double dayCount(const QDate& date) {
    return double(kDayZero.daysTo(date));
}

QDate dateFromDayCount(double days) {
    return kDayZero.addDays(qint64(std::floor(days)));
}

double dayFraction(const QTime& time) {
    return double(time.msecsSinceStartOfDay() / 1000) / 86400.0;
}

QTime timeFromDayFraction(double fraction) {
    const double f = fraction - std::floor(fraction);
    int seconds = int(std::lround(f * 86400.0));
    if (seconds >= 86400)
        seconds = 86399;
    return QTime(0, 0).addSecs(seconds);
}

double presentMoment(const QDateTime& now) {
    return dayCount(now.date()) + dayFraction(now.time());
}

int secondsSinceMidnight(const QDateTime& now) {
    return now.time().msecsSinceStartOfDay() / 1000;
}

} // namespace zanfolio
