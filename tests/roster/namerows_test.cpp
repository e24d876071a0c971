#include "roster/namerows.h"

#include <functional>
#include <gtest/gtest.h>

namespace zanfolio {
namespace {

const QChar kIdeo(char16_t(0x3000));
QString ideo(int n) {
    return QString(n, kIdeo);
}
QString u8(const char* s) {
    return QString::fromUtf8(s);
}

TEST(FigureTexts, ZeroAndNumbersAndOverlongNumbers) {
    struct Case {
        const char* what;
        std::function<QString(int64_t)> text;
        int64_t n;
        QString expected;
    };
    const Case cases[] = {
        {"runs today 0", runsTodayText, 0, QString(5, u' ')},
        {"runs today 5", runsTodayText, 5, u8("  5回")},
        {"runs today 1234", runsTodayText, 1234, u8("234回")},
        {"points today 0", pointsTodayText, 0, QString(2, u' ') + kIdeo},
        {"points today 11", pointsTodayText, 11, u8("  11")},
        {"points today 12345", pointsTodayText, 12345, u8("2345")},
        {"runs so far 0", runsSoFarText, 0, QString(5, u' ') + kIdeo},
        {"runs so far 12", runsSoFarText, 12, u8("   12回")},
        {"runs so far 123456", runsSoFarText, 123456, u8("23456回")},
        {"points so far 0", pointsSoFarText, 0, QString(7, u' ')},
        {"points so far 11", pointsSoFarText, 11, u8("     11")},
        {"points so far 12345678", pointsSoFarText, 12345678, u8("2345678")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text(c.n), c.expected) << c.what;
}

TEST(FigureTexts, EachModePicksItsTwoFigures) {
    const PupilFigures f{2, 30, 0, 0}; // runs today, points today, runs so far, points so far
    struct Case {
        int mode;
        QString first;
        QString second;
    };
    const Case cases[] = {
        {0, u8("  2回"), QString(5, u' ') + kIdeo},
        {1, u8("  30"), QString(7, u' ')},
        {2, u8("  30"), u8("  2回")},
        {3, QString(7, u' '), QString(5, u' ') + kIdeo},
    };
    for (const Case& c : cases) {
        const FigureTexts t = figureTexts(c.mode, f);
        EXPECT_EQ(t.first, c.first) << "mode " << c.mode;
        EXPECT_EQ(t.second, c.second) << "mode " << c.mode;
    }
}

TEST(FigureTexts, PupilWithoutResultsInModesZeroAndOne) {
    const PupilFigures none{};
    const NameRow m0 = makeNameRow(1, 1996, 2003, u8("あい"), 0, none);
    const NameRow m1 = makeNameRow(1, 1996, 2003, u8("あい"), 1, none);
    EXPECT_TRUE(m0.visibleRow.endsWith(QString(5, u' ') + u'/' + QString(5, u' ') + kIdeo));
    EXPECT_TRUE(m1.visibleRow.endsWith(QString(2, u' ') + kIdeo + u'/' + QString(7, u' ')));
}

TEST(FigureTexts, SumsTheFourTablesOverAllLevels) {
    auto stats = std::make_unique<PupilStatistics>();
    stats->TodayRunCounts(1, 8) = 1;
    stats->TodayRunCounts(35, 8) = 2;
    stats->TodayPoints(3, 8) = 7;
    stats->TotalRunCounts(2, 8) = 4;
    stats->TotalPoints(34, 8) = 9;
    stats->TotalPoints(1, 9) = 100; // another pupil
    const PupilFigures f = pupilFigures(*stats, 8);
    EXPECT_EQ(f.runsToday, 3);
    EXPECT_EQ(f.pointsToday, 7);
    EXPECT_EQ(f.runsSoFar, 4);
    EXPECT_EQ(f.pointsSoFar, 9);
}

TEST(NameRowTexts, PaddingWidthByModeAndKindergarten) {
    const PupilFigures ones{1, 1, 1, 1};
    struct Case {
        int mode;
        int birthYear; // school year 2004: 1997 is G 1, 1998 G 0, 2000 G -2
        const char* name;
        int padding;
    };
    const Case cases[] = {
        {1, 1997, "あいう", 3},
        {0, 1997, "あいう", 3},
        {2, 1997, "あいう", 3},
        {1, 1998, "あいう", 3},
        {0, 1998, "あいう", 5},
        {2, 1998, "あいう", 5},
        {3, 2000, "あいう", 5},
        {1, 1997, "あいうえおか", 0},
        {0, 1998, "あいうえおかきく", 0},
        {1, 1997, "あいうえおかき", 0}, // too long: no padding rather than a negative count
        {3, 1998, "あいうえおかきくけこ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const NameRow row = makeNameRow(4, c.birthYear, 2004, u8(c.name), c.mode, ones);
        const FigureTexts f = figureTexts(c.mode, ones);
        const QString code = c.birthYear == 1997   ? u8("小1")
                             : c.birthYear == 1998 ? u8("幼3")
                                                   : u8("幼1");
        const QString visible =
            code + u' ' + u8(c.name) + ideo(c.padding) + f.first + u'/' + f.second;
        EXPECT_EQ(row.visibleRow, visible) << "mode " << c.mode;
        EXPECT_EQ(row.companionText, visible + u8("*4"));
        EXPECT_EQ(row.sortText, QString::number(c.birthYear) + visible + u8("*4"));
    }
}

TEST(NameRowTexts, StarInNameCannotBreakThePupilNumber) {
    const NameRow row = makeNameRow(7, 1996, 2004, u8("a*b"), 1, PupilFigures{});
    EXPECT_TRUE(row.visibleRow.startsWith(u8("小2 a＊b")));
    EXPECT_EQ(row.companionText.section(u'*', 1), u8("7"));
    EXPECT_EQ(row.visibleRow.count(u'*'), 0);
}

TEST(NameRowOrder, BirthYearFirstThenNameCaseInsensitiveAndKanaAware) {
    const PupilFigures none{};
    std::vector<NameRow> rows{
        makeNameRow(1, 1996, 2004, u8("あべ"), 1, none),
        makeNameRow(2, 1995, 2004, u8("わたなべ"), 1, none),
        makeNameRow(3, 1996, 2004, u8("Beta"), 1, none),
        makeNameRow(4, 1996, 2004, u8("alpha"), 1, none),
        makeNameRow(5, 1996, 2004, u8("いとう"), 1, none),
        makeNameRow(6, 1996, 2004, u8("アベノ"), 1, none),
    };
    sortNameRows(rows);
    std::vector<int> order;
    for (const NameRow& r : rows)
        order.push_back(r.pupil);
    // 1995 before 1996 whatever the name; Latin before kana; "alpha" before "Beta" (a plain
    // code-point order would put "B" first); katakana "アベノ" between "あべ" and "いとう"
    // (in code points it would come after both).
    EXPECT_EQ(order, (std::vector<int>{2, 4, 3, 1, 6, 5}));
}

TEST(NameRowOrder, EqualTextsKeepFileOrder) {
    const PupilFigures none{};
    std::vector<NameRow> rows{makeNameRow(5, 1996, 2004, u8("abc"), 1, none),
                              makeNameRow(5, 1996, 2004, u8("ABC"), 1, none),
                              makeNameRow(5, 1996, 2004, u8("abc"), 1, none)};
    rows[0].pupil = 1;
    rows[1].pupil = 2;
    rows[2].pupil = 3;
    sortNameRows(rows);
    EXPECT_EQ(rows[0].pupil, 1);
    EXPECT_EQ(rows[1].pupil, 2);
    EXPECT_EQ(rows[2].pupil, 3);
}

} // namespace
} // namespace zanfolio
