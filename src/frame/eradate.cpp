#include "frame/eradate.h"

#include <memory>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

namespace zanfolio {

QString japaneseEraDateText(const QDate& date) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale("ja_JP@calendar=japanese");
    icu::SimpleDateFormat format(icu::UnicodeString::fromUTF8("Gy年 M月 dd日（E）"), locale,
                                 status);
    if (U_FAILURE(status))
        return date.toString(QStringLiteral("yyyy年 M月 dd日"));
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(locale, status));
    calendar->clear();
    calendar->set(date.year(), date.month() - 1, date.day(), 12, 0, 0);
    // Japanese calendar fields are era-relative; set by extended (Gregorian) year instead.
    calendar->set(UCAL_EXTENDED_YEAR, date.year());
    const UDate when = calendar->getTime(status);
    if (U_FAILURE(status))
        return date.toString(QStringLiteral("yyyy年 M月 dd日"));
    icu::UnicodeString text;
    format.format(when, text);
    QString out(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
    // ICU writes the first year of an era as "元年"; the classroom computers write "1年".
    out.replace(QStringLiteral("元年"), QStringLiteral("1年"));
    return out;
}

} // namespace zanfolio
