#include "frame/localetexts.h"

#include "frame/daycount.h"

#include <iterator>

namespace zanfolio {

namespace {

constexpr char16_t digit(int value) {
    return char16_t(u'0' + value % 10);
}

} // namespace

// The lists write one of each per line, thousands of lines at a time: the usual dates and
// times are written digit by digit; anything else goes through Qt's formatting, which they
// match.

QString shortDateText(double days) {
    const QDate date = dateFromDayCount(days);
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return date.toString(QStringLiteral("yyyy/MM/dd"));
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    const char16_t text[] = {
        digit(y / 1000), digit(y / 100), digit(y / 10), digit(y),      u'/',
        digit(m / 10),   digit(m),       u'/',          digit(d / 10), digit(d)};
    return QString(reinterpret_cast<const QChar*>(text), std::size(text));
}

QString shortTimeText(double fraction) {
    const QTime time = timeFromDayFraction(fraction);
    if (!time.isValid())
        return time.toString(QStringLiteral("H:mm:ss"));
    const int h = time.hour(), m = time.minute(), s = time.second();
    const char16_t text[] = {digit(h / 10), digit(h), u':',          digit(m / 10),
                             digit(m),      u':',     digit(s / 10), digit(s)};
    // The hour without a leading zero.
    const qsizetype skip = h < 10 ? 1 : 0;
    return QString(reinterpret_cast<const QChar*>(text + skip), qsizetype(std::size(text)) - skip);
}

} // namespace zanfolio
