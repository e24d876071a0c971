#include "frame/daycount.h"
#include "results/resultsrecord.h"
#include "support/testrecords.h"
#include "tools/commandfixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

// "Today" is Wednesday 9 December 2026; the school year starts in April, so pupils born in
// school year 2017 are in grade 3 ("③") and those born in 2012 in grade 8 ("Ⅱ").
class MenuCommands : public CommandFixture {
  protected:
    MenuCommands() : CommandFixture(QStringLiteral("2026-12-09T10:30:00")) {}
    void SetUp() override {
        install.writeLines(install.rosterPath(),
                           {QStringLiteral("1,2017,0,0,\"あき\",0,\"\",\"\""),
                            QStringLiteral("2,2017,0,0,\"いさむ\",0,\"\",\"\""),
                            QStringLiteral("3,2012,0,0,\"うた\",0,\"\",\"\""),
                            QStringLiteral("4,2017,0,0,\"えり\",1,\"\",\"\"")});
    }

    void addRecord(int pupil, int level, int time, QDate date = QDate(2026, 12, 9)) {
        records += testRecord(pupil, level, time)
                       .date(dayCount(date))
                       .timeOfDay(dayFraction(QTime(9, 5, 7)))
                       .encode();
        install.writeBytes(install.resultsPath(), records);
    }
    QStringList outLines() const { return out.split(u'\n', Qt::SkipEmptyParts); }

    QByteArray records;
};

TEST_F(MenuCommands, TimeRankingLinesAsTheMenuShowsThem) {
    addRecord(1, 1, 60);
    addRecord(2, 1, 50);
    addRecord(2, 1, 70); // not a better time
    addRecord(4, 1, 10); // not listed in the roster
    ASSERT_EQ(run({QStringLiteral("ranking"), QStringLiteral("--level"), QStringLiteral("1"),
                   QStringLiteral("--kind"), QStringLiteral("time"), QStringLiteral("--pupil"),
                   QStringLiteral("1")}),
              0)
        << err.toStdString();
    EXPECT_EQ(outLines(), (QStringList{QStringLiteral(" 1③いさむ　　    50 　"),
                                       QStringLiteral(" 2●あき　　　    60 ●"),
                                       QStringLiteral("--Ⅱうた　　　------ 　")}));
}

TEST_F(MenuCommands, PointsRankingsFromTheStatisticsWithGroupFilter) {
    addRecord(1, 2, 30, QDate(2026, 12, 1)); // 5 points, not today
    addRecord(3, 2, 20);                     // 11 points today
    addRecord(2, 2, 60);                     // 4 points today
    auto ranking = [&](const char* kind, QStringList extra = {}) {
        return run(QStringList{QStringLiteral("ranking"), QStringLiteral("--level"),
                               QStringLiteral("2"), QStringLiteral("--kind"),
                               QString::fromUtf8(kind), QStringLiteral("--pupil"),
                               QStringLiteral("2")} +
                   extra);
    };
    ASSERT_EQ(ranking("total"), 0) << err.toStdString();
    EXPECT_EQ(outLines(), (QStringList{QStringLiteral(" 1Ⅱうた　　　 11/   11"),
                                       QStringLiteral(" 2③あき　　　  0/    5"),
                                       QStringLiteral(" 3●いさむ　　  4/    4")}));
    ASSERT_EQ(ranking("today"), 0);
    EXPECT_EQ(outLines(), (QStringList{QStringLiteral(" 1Ⅱうた　　　 11/   11"),
                                       QStringLiteral(" 2●いさむ　　  4/    4")}));
    ASSERT_EQ(ranking("total", {QStringLiteral("--group"), QStringLiteral("小３")}), 0);
    EXPECT_EQ(outLines(), (QStringList{QStringLiteral(" 2③あき　　　  0/    5"),
                                       QStringLiteral(" 3●いさむ　　  4/    4")}));
}

TEST_F(MenuCommands, RunsPrintsEveryLevelBlock) {
    addRecord(1, 1, 45, QDate(2026, 12, 6)); // Sunday: outside this week
    addRecord(3, 1, 99999);
    addRecord(1, 6, 45); // a level without a column
    ASSERT_EQ(run({QStringLiteral("runs"), QStringLiteral("--view"), QStringLiteral("all"),
                   QStringLiteral("--pupil"), QStringLiteral("1")}),
              0)
        << err.toStdString();
    EXPECT_EQ(outLines(),
              (QStringList{QStringLiteral("# level 1"), QStringLiteral("  45秒 12/06●あき　　　●4"),
                           QStringLiteral("　　× 12/09Ⅱうた　　　Ⅱ"), QStringLiteral("# level 2"),
                           QStringLiteral("# level 3"), QStringLiteral("# level 4"),
                           QStringLiteral("# level 5")}));

    ASSERT_EQ(run({QStringLiteral("runs"), QStringLiteral("--view"), QStringLiteral("all"),
                   QStringLiteral("--pupil"), QStringLiteral("1"), QStringLiteral("--window"),
                   QStringLiteral("1"), QStringLiteral("--mode"), QStringLiteral("points")}),
              0);
    EXPECT_EQ(outLines().mid(0, 3),
              (QStringList{QStringLiteral("# level 1"), QStringLiteral("　　× 12/09Ⅱうた　　　Ⅱ"),
                           QStringLiteral("# level 2")}));

    ASSERT_EQ(run({QStringLiteral("runs"), QStringLiteral("--view"), QStringLiteral("personal"),
                   QStringLiteral("--pupil"), QStringLiteral("1")}),
              0);
    EXPECT_EQ(outLines().mid(0, 3),
              (QStringList{QStringLiteral("# level 1"), QStringLiteral("2026/12/06 9:05:07  45秒"),
                           QStringLiteral("# level 2")}));

    ASSERT_EQ(run({QStringLiteral("runs"), QStringLiteral("--view"), QStringLiteral("today"),
                   QStringLiteral("--pupil"), QStringLiteral("3"), QStringLiteral("--group"),
                   QStringLiteral("中学生全体")}),
              0);
    EXPECT_EQ(outLines().mid(0, 3),
              (QStringList{QStringLiteral("# level 1"), QStringLiteral("　　× 09:05●うた　　　●"),
                           QStringLiteral("# level 2")}));
}

TEST_F(MenuCommands, BadArgumentsAndMissingRosterAreUsageErrors) {
    const QStringList bad[] = {
        {QStringLiteral("ranking"), QStringLiteral("--level"), QStringLiteral("1"),
         QStringLiteral("--kind"), QStringLiteral("fast"), QStringLiteral("--pupil"),
         QStringLiteral("1")},
        {QStringLiteral("ranking"), QStringLiteral("--level"), QStringLiteral("6"),
         QStringLiteral("--kind"), QStringLiteral("time"), QStringLiteral("--pupil"),
         QStringLiteral("1")},
        {QStringLiteral("ranking"), QStringLiteral("--level"), QStringLiteral("1"),
         QStringLiteral("--kind"), QStringLiteral("time")},
        {QStringLiteral("runs"), QStringLiteral("--view"), QStringLiteral("all"),
         QStringLiteral("--pupil"), QStringLiteral("1"), QStringLiteral("--window"),
         QStringLiteral("6")},
        {QStringLiteral("runs"), QStringLiteral("--view"), QStringLiteral("week"),
         QStringLiteral("--pupil"), QStringLiteral("1")},
        {QStringLiteral("runs"), QStringLiteral("--view"), QStringLiteral("all"),
         QStringLiteral("--pupil"), QStringLiteral("1"), QStringLiteral("--mode"),
         QStringLiteral("fast")},
    };
    for (const QStringList& args : bad) {
        EXPECT_EQ(run(args), 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(err.isEmpty());
        EXPECT_TRUE(out.isEmpty());
    }
    QFile::remove(install.rosterPath());
    EXPECT_EQ(run({QStringLiteral("runs"), QStringLiteral("--view"), QStringLiteral("all"),
                   QStringLiteral("--pupil"), QStringLiteral("1")}),
              2);
    EXPECT_TRUE(err.contains(QStringLiteral("名簿")));
}

} // namespace
