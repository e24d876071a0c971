#pragma once
// The date and time texts of a Japanese Windows system, which the result lists and the
// records browser show: short date "2004/05/12", time "9:05:07" (hours without a leading zero).

#include <QString>

namespace zanfolio {

QString shortDateText(double dayCount);    // yyyy/MM/dd
QString shortTimeText(double dayFraction); // H:mm:ss

} // namespace zanfolio
