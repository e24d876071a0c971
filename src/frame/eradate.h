#pragma once
// Today's date as the splash shows it: the Japanese era, "令和8年 12月 09日（水）".

#include <QDate>
#include <QString>

namespace zanfolio {

// "Gy年 M月 dd日（E）" in the Japanese calendar: the era's name, the year within the era (the
// first year written "1年", as the classroom computers write it), the month without and the
// day with a leading zero, the short weekday. Eras from 明治 (1868-09-08) on, from the program's
// own table, the same on every platform; an earlier date is written with its Western year
// ("1868年 9月 07日（月）").
QString japaneseEraDateText(const QDate& date);

} // namespace zanfolio
