#pragma once
// Dates and times as the results file keeps them: a date is a whole day count from
// 30 December 1899 (day 0), a time of day a fraction of a day (0.5 = noon), and "the present
// moment" the two added up.

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace zanfolio {

double dayCount(const QDate& date);
QDate dateFromDayCount(double days);
// Fraction of a day, with whole seconds (as the files' writer kept them).
double dayFraction(const QTime& time);
QTime timeFromDayFraction(double fraction);
// Day count plus time of day.
double presentMoment(const QDateTime& now);
// Seconds since midnight, whole.
int secondsSinceMidnight(const QDateTime& now);

// A window of `days` days holds the records dated after the present moment minus `days`:
// today and the days − 1 days before. Zero or no days hold nothing.
inline bool inDayWindow(double recordDate, double now, double days) {
    return recordDate > now - days;
}

} // namespace zanfolio
