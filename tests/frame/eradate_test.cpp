// The splash date on every platform: the days either side of each change of era, written out,
// so that a wrong boundary in the table shows by name.

#include "frame/eradate.h"

#include <gtest/gtest.h>

using namespace zanfolio;

namespace {

struct Case {
    QDate date;
    const char* text;
};

class EraDateText : public ::testing::TestWithParam<Case> {};

TEST_P(EraDateText, ReadsAsTheClassroomComputersWriteIt) {
    EXPECT_EQ(japaneseEraDateText(GetParam().date), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(EachChangeOfEra, EraDateText,
                         ::testing::Values(Case{QDate(1868, 9, 8), "明治1年 9月 08日（火）"},
                                           Case{QDate(1912, 7, 29), "明治45年 7月 29日（月）"},
                                           Case{QDate(1912, 7, 30), "大正1年 7月 30日（火）"},
                                           Case{QDate(1926, 12, 24), "大正15年 12月 24日（金）"},
                                           Case{QDate(1926, 12, 25), "昭和1年 12月 25日（土）"},
                                           Case{QDate(1989, 1, 7), "昭和64年 1月 07日（土）"},
                                           Case{QDate(1989, 1, 8), "平成1年 1月 08日（日）"},
                                           Case{QDate(2019, 4, 30), "平成31年 4月 30日（火）"},
                                           Case{QDate(2019, 5, 1), "令和1年 5月 01日（水）"},
                                           Case{QDate(2020, 1, 1), "令和2年 1月 01日（水）"},
                                           Case{QDate(2026, 12, 10), "令和8年 12月 10日（木）"}));

INSTANTIATE_TEST_SUITE_P(BeforeTheTable, EraDateText,
                         ::testing::Values(Case{QDate(1868, 9, 7), "1868年 9月 07日（月）"},
                                           Case{QDate(), ""}));

} // namespace
