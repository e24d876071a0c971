#include "frame/daycount.h"
#include "menu/datewindow.h"
#include "menu/menufixture.h"
#include "menu/runlists.h"
#include "support/fakes.h"
#include "support/testfolder.h"
#include "support/testrecords.h"

#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

const QDateTime kWednesday(QDate(2026, 12, 9), QTime(10, 30));

ResultsRecord run(int pupil, int level, int time, QDate date = kWednesday.date(),
                  QTime at = QTime(9, 5, 7)) {
    return testRecord(pupil, level, time).date(dayCount(date)).timeOfDay(dayFraction(at));
}

class RunListsTest : public ::testing::Test {
  protected:
    RunListsTest() {
        s.addPupil(1, QStringLiteral("自分"), 3);
        s.addPupil(2, QStringLiteral("中学生"), 8);
        s->session.CurrentStudent = 1;
    }
    RunLists build(RunListView view, const QDateTime& now = kWednesday, int window = 3,
                   RunLineMode mode = RunLineMode::Time,
                   const QString& group = QStringLiteral("全学年")) {
        RunListRequest request;
        request.view = view;
        request.dateWindowChoice = window;
        request.mode = mode;
        request.groupText = group;
        return BuildRunLists(
            RunListParts{s->program, s->Criteria, s->roster, s->session.CurrentStudent}, records, 1,
            now, request);
    }
    MenuState s;
    std::vector<ResultsRecord> records;
};

TEST_F(RunListsTest, LineFormatsOfTheThreeLists) {
    records = {run(1, 1, 45), run(2, 2, 83, kWednesday.date().addDays(-3), QTime(13, 45, 10))};
    const RunLists today = build(RunListView::Today);
    EXPECT_EQ(today.title, QStringLiteral("本日の成績"));
    EXPECT_FALSE(today.dateWindowBoxShown);
    EXPECT_EQ(today.levels[1], QStringList{QStringLiteral("  45秒 09:05●自分　　　●4")});
    EXPECT_TRUE(today.levels[2].isEmpty());

    const RunLists all = build(RunListView::AllRuns);
    EXPECT_EQ(all.title, QString());
    EXPECT_TRUE(all.dateWindowBoxShown);
    EXPECT_EQ(all.dateWindowDays, 30);
    EXPECT_EQ(all.levels[1], QStringList{QStringLiteral("  45秒 12/09●自分　　　●4")});
    EXPECT_EQ(all.levels[2], QStringList{QStringLiteral("  83秒 12/06Ⅱ中学生　　Ⅱ1")});

    const RunLists points = build(RunListView::AllRuns, kWednesday, 3, RunLineMode::Points);
    EXPECT_EQ(points.levels[2], QStringList{QStringLiteral("    1 12/06Ⅱ中学生　　Ⅱ83秒")});

    const RunLists personal = build(RunListView::Personal);
    EXPECT_EQ(personal.title, QStringLiteral("個人別ﾀｲﾑ"));
    EXPECT_EQ(personal.dateWindowDays, 3650);
    EXPECT_EQ(personal.levels[1], QStringList{QStringLiteral("2026/12/09 9:05:07  45秒")});
    EXPECT_TRUE(personal.levels[2].isEmpty()); // another pupil's run
}

TEST_F(RunListsTest, TimedOutRunGetsTheFailureLines) {
    records = {run(1, 1, 99999, kWednesday.date(), QTime(13, 45, 10)), run(2, 1, 90000)};
    EXPECT_EQ(build(RunListView::Today).levels[1],
              (QStringList{QStringLiteral("　　× 13:45●自分　　　●"),
                           QStringLiteral("　　× 09:05Ⅱ中学生　　Ⅱ")}));
    EXPECT_EQ(build(RunListView::AllRuns, kWednesday, 3, RunLineMode::Points).levels[1][0],
              QStringLiteral("　　× 12/09●自分　　　●"));
    EXPECT_EQ(build(RunListView::Personal).levels[1],
              QStringList{QStringLiteral("2026/12/09 13:45:10")});
}

TEST_F(RunListsTest, LevelsWithoutColumnAreLeftOutOfEveryList) {
    records = {run(1, 6, 45), run(1, 0, 45), run(1, -2, 45), run(1, 35, 45), run(1, 5, 45)};
    for (RunListView view : {RunListView::Today, RunListView::AllRuns, RunListView::Personal}) {
        const RunLists lists = build(view);
        int lines = 0;
        for (const RunLines& l : lists.levels)
            lines += int(l.size());
        EXPECT_EQ(lines, 1);
        EXPECT_EQ(lists.levels[5].size(), 1);
    }
}

TEST_F(RunListsTest, PointsIgnoreTheMultiplier) {
    s->Criteria.PointMultiplier[1] = 2.5f;
    records = {run(2, 1, 30), run(2, 1, 60), run(2, 1, 100), run(2, 1, 400)};
    const RunLists lists = build(RunListView::AllRuns, kWednesday, 3, RunLineMode::Points);
    QStringList firstColumns;
    for (const QString& line : lists.levels[1])
        firstColumns << line.left(5);
    EXPECT_EQ(firstColumns, (QStringList{QStringLiteral("    5"), QStringLiteral("    4"),
                                         QStringLiteral("    1"), QStringLiteral("    0")}));
}

TEST_F(RunListsTest, GradeGroupHidesEvenTheCurrentPupil) {
    records = {run(1, 1, 45), run(2, 1, 50)};
    const RunLists middle =
        build(RunListView::AllRuns, kWednesday, 3, RunLineMode::Time, QStringLiteral("中学生全体"));
    ASSERT_EQ(middle.levels[1].size(), 1);
    EXPECT_TRUE(middle.levels[1][0].contains(QStringLiteral("中学生")));
    EXPECT_TRUE(
        build(RunListView::Personal, kWednesday, 3, RunLineMode::Time, QStringLiteral("中学生全体"))
            .levels[1]
            .isEmpty());
}

// The earliest date a window keeps; every later date up to today is kept too.
struct WindowCase {
    const char* name;
    QDateTime now;
    int choice;
    QDate first; // earliest date kept
};

TEST_F(RunListsTest, DateWindowsKeepTodayAndTheDaysBefore) {
    const QDateTime sunday(QDate(2026, 12, 13), QTime(18, 0));
    const QDateTime may30(QDate(2026, 5, 30), QTime(8, 0));
    const WindowCase cases[] = {
        {"this week on a Wednesday", kWednesday, 1, QDate(2026, 12, 7)},
        {"since last week on a Wednesday", kWednesday, 2, QDate(2026, 11, 30)},
        {"this week on a Sunday", sunday, 1, QDate(2026, 12, 7)},
        {"since last week on a Sunday", sunday, 2, QDate(2026, 11, 30)},
        {"one month on 30 May", may30, 3, QDate(2026, 5, 1)},
        {"one year", kWednesday, 4, QDate(2025, 12, 10)},
        // Every run, also those older than ten years.
        {"until now", kWednesday, 5, QDate(2014, 12, 9)},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        records.clear();
        for (QDate d = c.first.addDays(-2); d <= c.now.date(); d = d.addDays(1))
            records.push_back(run(2, 1, 45, d));
        const QDate first = c.choice == kUntilNowChoice ? c.first.addDays(-2) : c.first;
        const QStringList lines =
            build(RunListView::AllRuns, c.now, c.choice).levels[1].toStringList();
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.size(), first.daysTo(c.now.date()) + 1);
        EXPECT_EQ(lines.front().mid(6, 5), first.toString(QStringLiteral("MM/dd")));
        EXPECT_EQ(lines.back().mid(6, 5), c.now.date().toString(QStringLiteral("MM/dd")));
    }
}

TEST(DateWindowDays, WeekdayRule) {
    EXPECT_EQ(weekdayFromSunday(QDate(2026, 12, 13)), 1); // Sunday
    EXPECT_EQ(weekdayFromSunday(QDate(2026, 12, 9)), 4);  // Wednesday
    EXPECT_EQ(weekdayFromSunday(QDate(2026, 12, 12)), 7); // Saturday
    EXPECT_EQ(DateWindowDays(1, 4), 3);
    EXPECT_EQ(DateWindowDays(2, 4), 10);
    EXPECT_EQ(DateWindowDays(1, 1), 7);
    EXPECT_EQ(DateWindowDays(2, 1), 14);
    EXPECT_EQ(DateWindowDays(1, 2), 1); // Monday: today only
}

TEST(DateWindowEntries, TheBoxTextsExactly) {
    EXPECT_EQ(
        dateWindowEntries(),
        (QStringList{QStringLiteral("　　　今週の全成績"), QStringLiteral("　　先週からの全成績"),
                     QStringLiteral("　　１ヶ月間の全成績"), QStringLiteral("　　１年間の全成績"),
                     QStringLiteral("　　今までの全成績\"")}));
    EXPECT_EQ(initialDateWindowText(), QStringLiteral("　　１ヶ月間の全成績"));
}

// The file side: each list reads the file back to its first day and shows every run of its
// window, wherever it stands and however long the history before it.
TEST(RunListsFromFile, EachListShowsItsWindowReadingBackToItsFirstDay) {
    TestInstallation install;
    MenuState s;
    s.addPupil(1, QStringLiteral("自分"));
    s->session.CurrentStudent = 1;
    QByteArray bytes;
    // Twelve years, fifty runs a day; today's first run is followed by all of today's others.
    const QDate today = kWednesday.date();
    const int days = 12 * 365;
    bytes.reserve(qsizetype(days) * 50 * ResultsRecord::kSize);
    for (int d = days - 1; d >= 0; --d)
        for (int i = 0; i < 50; ++i)
            bytes += run(1, 1, 45, today.addDays(-d)).encode();
    install.writeBytes(install.resultsPath(), bytes);
    RecordingWaiter waiter;
    ResultsFile file(install.resultsPath(), waiter);
    FakeClock clock(kWednesday);

    struct Case {
        const char* name;
        RunListView view;
        int choice;
        qsizetype runs;
        qint64 mostBytes; // read, at most
    };
    const qint64 day = 50 * ResultsRecord::kSize;
    const qint64 slack = (kWindowSlackDays + 2) * day + 2 * kWindowPageBytes;
    const Case cases[] = {
        {"today", RunListView::Today, 3, 50, day + slack},
        {"one month", RunListView::AllRuns, 3, 30 * 50, 30 * day + slack},
        {"one year", RunListView::AllRuns, 4, 365 * 50, 365 * day + slack},
        {"until now", RunListView::AllRuns, 5, qsizetype(days) * 50, qint64(days) * day},
        {"personal: ten years", RunListView::Personal, 3, 3650 * 50, 3650 * day + slack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunListRequest request;
        request.view = c.view;
        request.dateWindowChoice = c.choice;
        Result<RunLists> lists = ReadRunLists(
            RunListParts{s->program, s->Criteria, s->roster, s->session.CurrentStudent}, file,
            clock, request);
        ASSERT_TRUE(lists.ok());
        EXPECT_EQ(lists->recordCount, days * 50);
        EXPECT_EQ(lists->levels[1].size(), c.runs);
        EXPECT_LE(lists->bytesRead, c.mostBytes);
    }
}

} // namespace
