#include "frame/daycount.h"
#include "menu/datewindow.h"
#include "menu/menufixture.h"
#include "menu/runlists.h"
#include "support/fakes.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

const QDateTime kWednesday(QDate(2026, 12, 9), QTime(10, 30));

ResultsRecord run(int pupil, int level, int time, QDate date = kWednesday.date(),
                  QTime at = QTime(9, 5, 7)) {
    ResultsRecord r;
    r.date = dayCount(date);
    r.timeOfDay = dayFraction(at);
    r.pupil = int16_t(pupil);
    r.level = int16_t(level);
    r.time = time;
    return r;
}

class RunListsTest : public ::testing::Test {
  protected:
    RunListsTest() {
        s.addPupil(1, QStringLiteral("自分"), 3);
        s.addPupil(2, QStringLiteral("中学生"), 8);
        s->CurrentStudent = 1;
    }
    RunLists build(RunListView view, const QDateTime& now = kWednesday, int window = 3,
                   RunLineMode mode = RunLineMode::Time,
                   const QString& group = QStringLiteral("全学年")) {
        RunListRequest request;
        request.view = view;
        request.dateWindowChoice = window;
        request.mode = mode;
        request.groupText = group;
        return BuildRunLists(*s, records, 1, now, request);
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
        for (const QStringList& l : lists.levels)
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
        {"until now", kWednesday, 5, QDate(2026, 12, 9).addDays(-3649)},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        records.clear();
        for (QDate d = c.first.addDays(-2); d <= c.now.date(); d = d.addDays(1))
            records.push_back(run(2, 1, 45, d));
        const QStringList lines = build(RunListView::AllRuns, c.now, c.choice).levels[1];
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.size(), c.first.daysTo(c.now.date()) + 1);
        EXPECT_EQ(lines.front().mid(6, 5), c.first.toString(QStringLiteral("MM/dd")));
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

// The file side: one read of the tail each list needs.
TEST(RunListsFromFile, TodaysListSeesTheLastThousandOthersTheLastTwentyThousand) {
    TestInstallation install;
    MenuState s;
    s.addPupil(1, QStringLiteral("自分"));
    s->CurrentStudent = 1;
    QByteArray bytes;
    bytes.reserve(25000 * ResultsRecord::kSize);
    for (int i = 1; i <= 25000; ++i) {
        // Record 5000 and record 24000 are today's; the rest are from yesterday.
        const bool today = i == 5000 || i == 5001 || i == 24000 || i == 24001;
        bytes += run(1, 1, 45, kWednesday.date().addDays(today ? 0 : -1)).encode();
    }
    install.writeBytes(install.resultsPath(), bytes);
    RecordingWaiter waiter;
    ResultsFile file(install.resultsPath(), waiter);
    FakeClock clock(kWednesday);

    RunListRequest request;
    request.view = RunListView::Today;
    Result<RunLists> today = ReadRunLists(*s, file, clock, request);
    ASSERT_TRUE(today.ok());
    EXPECT_EQ(today->firstRecordNumber, 24001);
    EXPECT_EQ(today->recordCount, 25000);
    EXPECT_EQ(today->levels[1].size(), 1); // record 24001 only: 24000 is 1001st from the end

    request.view = RunListView::AllRuns;
    Result<RunLists> all = ReadRunLists(*s, file, clock, request);
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(all->firstRecordNumber, 5001);
    EXPECT_EQ(all->levels[1].size(), 20000);

    request.view = RunListView::Personal;
    Result<RunLists> personal = ReadRunLists(*s, file, clock, request);
    ASSERT_TRUE(personal.ok());
    EXPECT_EQ(personal->firstRecordNumber, 5001);
    EXPECT_EQ(personal->levels[1].size(), 20000);
}

} // namespace
