// The era table against ICU's Japanese calendar (ja_JP@calendar=japanese), the formatter the
// Linux program used before the table: every day from the first day of 明治 to 2200 must read
// the same, era boundaries included. Linux only (the Windows build has no ICU).

#include "frame/eradate.h"

#include <gtest/gtest.h>
#include <memory>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

using namespace zanfolio;

namespace {

class IcuEraFormat {
  public:
    IcuEraFormat()
        : locale_("ja_JP@calendar=japanese"),
          format_(icu::UnicodeString::fromUTF8("Gy年 M月 dd日（E）"), locale_, status_),
          calendar_(icu::Calendar::createInstance(locale_, status_)) {}

    bool ok() const { return U_SUCCESS(status_); }

    QString text(const QDate& date) {
        calendar_->clear();
        calendar_->set(date.year(), date.month() - 1, date.day(), 12, 0, 0);
        // Japanese calendar fields are era-relative; set by extended (Gregorian) year instead.
        calendar_->set(UCAL_EXTENDED_YEAR, date.year());
        UErrorCode status = U_ZERO_ERROR;
        const UDate when = calendar_->getTime(status);
        if (U_FAILURE(status))
            return QStringLiteral("(ICU error)");
        icu::UnicodeString out;
        format_.format(when, out);
        // ICU writes the first year of an era as "元年"; the classroom computers write "1年".
        return QString(reinterpret_cast<const QChar*>(out.getBuffer()), out.length())
            .replace(QStringLiteral("元年"), QStringLiteral("1年"));
    }

  private:
    UErrorCode status_ = U_ZERO_ERROR;
    icu::Locale locale_;
    icu::SimpleDateFormat format_;
    std::unique_ptr<icu::Calendar> calendar_;
};

TEST(EraDateAgainstIcu, EveryDayFromMeijiTo2200ReadsTheSame) {
    IcuEraFormat icu;
    ASSERT_TRUE(icu.ok());
    int compared = 0;
    int differing = 0;
    for (QDate d(1868, 9, 8); d <= QDate(2200, 12, 31); d = d.addDays(1), ++compared) {
        const QString expected = icu.text(d);
        const QString actual = japaneseEraDateText(d);
        if (actual != expected && ++differing <= 10)
            ADD_FAILURE() << d.toString(Qt::ISODate).toStdString() << ": table "
                          << actual.toStdString() << ", ICU " << expected.toStdString();
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(compared, 120000);
}

} // namespace
