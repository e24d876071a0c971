#include "frame/daycount.h"
#include "frame/localetexts.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace zanfolio;

TEST(DayCount, MatchesTheRecordsExample) {
    EXPECT_EQ(dayCount(QDate(2004, 5, 6)), 38113.0);
    EXPECT_EQ(dayCount(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(dayFraction(QTime(10, 30)), 0.4375);
    EXPECT_EQ(dateFromDayCount(38113.0), QDate(2004, 5, 6));
    EXPECT_EQ(timeFromDayFraction(0.4375), QTime(10, 30));
}

TEST(DayCount, WindowsHoldTodayAndTheDaysBefore) {
    const double now = presentMoment(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 1)));
    const double today = dayCount(QDate(2026, 12, 9));
    struct Case {
        double days;
        double recordDate;
        bool inside;
    };
    for (const Case& c : {Case{1, today, true}, Case{1, today - 1, false}, Case{7, today - 6, true},
                          Case{7, today - 7, false}, Case{0, today, false}}) {
        EXPECT_EQ(inDayWindow(c.recordDate, now, c.days), c.inside)
            << c.days << " " << c.recordDate;
    }
}

TEST(LocaleTexts, JapaneseWindowsShortForms) {
    EXPECT_EQ(shortDateText(dayCount(QDate(2004, 5, 12))), QStringLiteral("2004/05/12"));
    EXPECT_EQ(shortTimeText(dayFraction(QTime(9, 5, 7))), QStringLiteral("9:05:07"));
    EXPECT_EQ(shortTimeText(dayFraction(QTime(13, 45, 10))), QStringLiteral("13:45:10"));
    // Every day of four centuries and every second of a day, as Qt formats them; and the odd
    // values a damaged record may hold.
    for (double days = dayCount(QDate(1900, 1, 1)); days < dayCount(QDate(2300, 1, 1)); ++days)
        ASSERT_EQ(shortDateText(days), dateFromDayCount(days).toString(u"yyyy/MM/dd")) << days;
    for (int second = 0; second < 86400; ++second) {
        const double fraction = second / 86400.0;
        ASSERT_EQ(shortTimeText(fraction), timeFromDayFraction(fraction).toString(u"H:mm:ss"))
            << second;
    }
    for (double odd : {-1e9, -700000.0, 3e6, 1e300, std::nan(""), -0.5, 1.5, 0.99999999})
        EXPECT_EQ(shortDateText(odd) + shortTimeText(odd),
                  dateFromDayCount(odd).toString(u"yyyy/MM/dd") +
                      timeFromDayFraction(odd).toString(u"H:mm:ss"))
            << odd;
}

#include "frame/eradate.h"

TEST(EraDate, SplashDateInTheJapaneseEra) {
    EXPECT_EQ(japaneseEraDateText(QDate(2026, 12, 9)), QStringLiteral("令和8年 12月 09日（水）"));
    EXPECT_EQ(japaneseEraDateText(QDate(2019, 4, 30)), QStringLiteral("平成31年 4月 30日（火）"));
    EXPECT_EQ(japaneseEraDateText(QDate(2019, 5, 1)), QStringLiteral("令和1年 5月 01日（水）"));
}
