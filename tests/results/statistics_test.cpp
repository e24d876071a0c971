#include "app/sharedstate.h"
#include "frame/daycount.h"
#include "results/resultsfile.h"
#include "results/statistics.h"
#include "support/fakes.h"
#include "support/testfolder.h"
#include "support/testrecords.h"

#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

// Wednesday 9 December 2026, 10:00.
const QDate kToday(2026, 12, 9);

class Statistics : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int level = 1; level <= 5; ++level) {
            c().StandardTime[size_t(level)] = 40;
            c().MinimumLineTime[size_t(level)] = 60;
            c().PointMultiplier[size_t(level)] = 1;
            c().ClearWindowDays[size_t(level)] = 7;
            c().OveruseWindowDays[size_t(level)] = 3;
        }
    }
    CriteriaTable& c() { return state->Criteria; }
    void add(int pupil, int level, int time, int daysAgo = 0) {
        bytes +=
            testRecord(pupil, level, time).date(dayCount(kToday) - daysAgo).timeOfDay(0.4).encode();
    }
    void compute() {
        install.writeBytes(install.resultsPath(), bytes);
        ASSERT_TRUE(ComputePupilStatistics(state->Stats, state->Criteria, file, clock).ok());
    }
    const PupilStatistics& s() const { return state->Stats; }

    TestInstallation install;
    FakeClock clock{QDateTime(kToday, QTime(10, 0))};
    RecordingWaiter waiter;
    ResultsFile file{install.resultsPath(), waiter};
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    QByteArray bytes;
};

TEST_F(Statistics, EmptyFileGivesZerosAndNoBests) {
    compute();
    EXPECT_EQ(s().LoadedCount, 0);
    EXPECT_EQ(s().TotalRunCounts(1, 1), 0);
    EXPECT_EQ(s().PersonalBestTimes(1, 1), kNoTime);
    EXPECT_EQ(s().OverallBestTimes[1], kNoTime);
}

TEST_F(Statistics, TodaysFastRunCountsInEveryTable) {
    add(7, 2, 20); // 11 points
    compute();
    EXPECT_EQ(s().TotalRunCounts(2, 7), 1);
    EXPECT_EQ(s().WindowRunCounts(2, 7), 1);
    EXPECT_EQ(s().OveruseRunCounts(2, 7), 1);
    EXPECT_EQ(s().TodayRunCounts(2, 7), 1);
    for (const auto* t :
         {&s().TotalPoints, &s().WindowPoints, &s().OverusePoints, &s().TodayPoints})
        EXPECT_EQ((*t)(2, 7), 11);
    EXPECT_EQ(s().PersonalBestTimes(2, 7), 20);
    EXPECT_EQ(s().OverallBestTimes[2], 20);
}

TEST_F(Statistics, WindowsHoldTodayAndTheDaysBefore) {
    add(1, 1, 30, 0); // 5 points each
    add(1, 1, 30, 2);
    add(1, 1, 30, 3);
    add(1, 1, 30, 6);
    add(1, 1, 30, 7);
    compute();
    EXPECT_EQ(s().TotalRunCounts(1, 1), 5);
    EXPECT_EQ(s().WindowRunCounts(1, 1), 4);  // 7 days: today .. 6 days ago
    EXPECT_EQ(s().OveruseRunCounts(1, 1), 2); // 3 days: today .. 2 days ago
    EXPECT_EQ(s().TodayRunCounts(1, 1), 1);
    EXPECT_EQ(s().WindowPoints(1, 1), 20);
    EXPECT_EQ(s().TotalPoints(1, 1), 25);
}

TEST_F(Statistics, EmptyOrOneDayWindows) {
    c().ClearWindowDays[1] = Untyped();
    c().OveruseWindowDays[1] = 1;
    add(1, 1, 30, 0);
    add(1, 1, 30, 1);
    compute();
    EXPECT_EQ(s().WindowRunCounts(1, 1), 0);
    EXPECT_EQ(s().WindowPoints(1, 1), 0);
    EXPECT_EQ(s().OveruseRunCounts(1, 1), 1);
}

// "本日" adds up the pupil's completed runs of today on levels 1 to the last level: the drill's
// status panel stops at level 15, the results menu and the evaluation go on to 35.
TEST_F(Statistics, TodaysRunsAddUpToTheLastLevel) {
    add(1, 15, 30);
    add(1, 16, 30);
    add(1, 16, 30, 1); // yesterday
    add(2, 15, 30);    // another pupil
    compute();
    const struct {
        int lastLevel;
        int runs;
    } cases[] = {{14, 0}, {15, 1}, {35, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(SumTodayRunCounts(s(), 1, c.lastLevel), c.runs) << "levels 1 to " << c.lastLevel;
}

TEST_F(Statistics, TimeOutsAndLongRunsAreNotCompleted) {
    c().StandardTime[3] = 10000;
    add(1, 1, kNoTime);
    add(1, 3, 6000); // not completed, but the first three digits (600) still earn points
    compute();
    EXPECT_EQ(s().LoadedCount, 2);
    EXPECT_EQ(s().TotalRunCounts(1, 1), 0);
    EXPECT_EQ(s().TotalPoints(1, 1), 0);
    EXPECT_EQ(s().TotalRunCounts(3, 1), 0);
    EXPECT_EQ(s().TotalPoints(3, 1), 46);
}

TEST_F(Statistics, MultiplierAppliesPerRunBeforeAdding) {
    c().PointMultiplier[1] = 1.5f;
    add(1, 1, 20); // 11 × 1.5 = 16.5 → 16
    add(1, 1, 20);
    compute();
    EXPECT_EQ(s().TotalPoints(1, 1), 32);
}

TEST_F(Statistics, AnOutOfRangeMultiplierSaturatesEverySum) {
    // A teacher typed 99999999 as ﾎﾟｲﾝﾄ倍率: each run is worth more than 32 bits hold.
    c().PointMultiplier[1] = 99999999.0f;
    add(1, 1, 10); // 26 points: beyond the range on its own
    add(1, 1, 30); // 5 points × 10⁸: in range, but not added to the first
    add(1, 1, 35, 1);
    compute();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    for (const auto* table :
         {&s().TotalPoints, &s().WindowPoints, &s().OverusePoints, &s().TodayPoints})
        EXPECT_EQ((*table)(1, 1), kMax);
    EXPECT_EQ(s().TodayRunCounts(1, 1), 2);
}

TEST_F(Statistics, InvalidRecordsGiveTheirSlotBack) {
    add(0, 1, 10); // pupil 0
    add(1, 0, 10); // level 0
    // A negative date.
    bytes += testRecord(2, 1, 15).date(-1).timeOfDay(0).encode();
    add(3, 1, 30);
    compute();
    EXPECT_EQ(s().LoadedCount, 1);
    EXPECT_EQ(s().SkippedCount, 3);
    EXPECT_EQ(s().Slots[1].pupil, 3);
    EXPECT_EQ(s().TotalRunCounts(1, 2), 0);
    // The best is taken before the validity test, as the installations did.
    EXPECT_EQ(s().PersonalBestTimes(1, 2), 15);
}

TEST_F(Statistics, RecordsOutsideTheTablesAreSkippedAndCounted) {
    add(1, 36, 10);
    add(5001, 1, 10);
    add(-4, 1, 10);
    add(1, -2, 10);
    add(2, 1, 30);
    compute();
    EXPECT_EQ(s().LoadedCount, 1);
    EXPECT_EQ(s().OutOfRangeCount, 4);
    EXPECT_EQ(s().SkippedCount, 4);
    EXPECT_EQ(s().TotalRunCounts(1, 2), 1);
}

TEST_F(Statistics, OnlyTheLast20000RecordsCount) {
    for (int i = 0; i < 5000; ++i)
        add(2, 1, 30);
    for (int i = 0; i < 20000; ++i)
        add(3, 1, 30);
    compute();
    EXPECT_EQ(s().LoadedCount, 20000);
    EXPECT_EQ(s().TotalRunCounts(1, 2), 0);
    EXPECT_EQ(s().PersonalBestTimes(1, 2), kNoTime);
    EXPECT_EQ(s().TotalRunCounts(1, 3), 20000);
}

TEST_F(Statistics, OverallBestIsOverPupilsUpTo1000) {
    add(1000, 1, 35);
    add(1001, 1, 20);
    compute();
    EXPECT_EQ(s().PersonalBestTimes(1, 1001), 20);
    EXPECT_EQ(s().OverallBestTimes[1], 35);
}

TEST_F(Statistics, ASecondPassStartsFromZero) {
    add(1, 1, 30);
    compute();
    compute();
    EXPECT_EQ(s().TotalRunCounts(1, 1), 1);
}

} // namespace
