#include "frame/eradate.h"

namespace zanfolio {

namespace {

struct Era {
    const char16_t* name;
    int year, month, day; // the first day, in the Gregorian calendar
};

// Newest first. The boundaries are the days the eras began under the Gregorian calendar, as
// the Windows era table (and ICU's Japanese calendar) counts them.
constexpr Era kEras[] = {
    {u"令和", 2019, 5, 1},  {u"平成", 1989, 1, 8}, {u"昭和", 1926, 12, 25},
    {u"大正", 1912, 7, 30}, {u"明治", 1868, 9, 8},
};

constexpr const char16_t* kWeekdays[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};

} // namespace

QString japaneseEraDateText(const QDate& date) {
    if (!date.isValid())
        return {};
    QString era = QString::number(date.year());
    for (const Era& e : kEras) {
        const QDate first(e.year, e.month, e.day);
        if (date >= first) {
            era = QString::fromUtf16(e.name) + QString::number(date.year() - e.year + 1);
            break;
        }
    }
    return QStringLiteral("%1年 %2月 %3日（%4）")
        .arg(era)
        .arg(date.month())
        .arg(date.day(), 2, 10, QChar(u'0'))
        .arg(QString::fromUtf16(kWeekdays[date.dayOfWeek() - 1]));
}

} // namespace zanfolio
