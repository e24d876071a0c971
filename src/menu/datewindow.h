#pragma once
// The date windows of the all-runs list, chosen in the date-window box (Combo2). A window of
// N days keeps the runs dated today and the N − 1 days before (record dates carry no time of
// day, and the test is date > now − N).

#include <QDate>
#include <QStringList>

namespace zanfolio {

inline constexpr int kDefaultDateWindowChoice = 3; // one month, set whenever the menu loads

// The box's five entries in order; entry index i is DateWindowChoice i + 1. The texts begin
// with ideographic spaces, and the last one ends with a double-quote character, which is part
// of its text as the installations show it.
QStringList dateWindowEntries();
// The box's own text when the menu loads: the entry of choice 3.
QString initialDateWindowText();

// Weekday counted from Sunday = 1 to Saturday = 7.
int weekdayFromSunday(const QDate& date);

// DateWindowDays for a choice on a day of weekday w (Sunday = 1):
//   1 this week        7 on a Sunday, else w − 1      (Monday to today)
//   2 since last week 14 on a Sunday, else w − 1 + 7 (from the Monday of the week before)
//   3 one month 30, 4 one year 365, 5 until now 3650.
// A choice outside 1..5 gives the one-month window, the box's initial choice.
int DateWindowDays(int choice, int weekday);

} // namespace zanfolio
