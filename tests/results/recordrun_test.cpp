#include "frame/daycount.h"
#include "results/recordrun.h"
#include "support/fakes.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>
#include <memory>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

class RecordRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        s->CurrentStudent = 12;
        s->CurrentLevel = 3;
        s->SchoolCode = Untyped(QStringLiteral("00123"));
        s->Criteria.TargetCount[3] = 2;
        s->Criteria.TargetPoints[3] = 10;
    }
    Status record(int time) {
        s->RecordedTime = time;
        return RecordRun(*s, 3, file, clock);
    }
    TestInstallation install;
    FakeClock clock{QDateTime(QDate(2004, 5, 6), QTime(10, 30))};
    RecordingWaiter waiter;
    ResultsFile file{install.resultsPath(), waiter};
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
};

TEST_F(RecordRunTest, WritesTheRecordOfTheRunDatedNow) {
    ASSERT_TRUE(record(45).ok());
    const QByteArray expected = QByteArray::fromHex(
        "00000000209ce240000000000000dc3f0c0003002d000000303031323320202020203020202020"
        "0000000000");
    EXPECT_EQ(install.readBytes(install.resultsPath()).toHex(), expected.toHex());
}

TEST_F(RecordRunTest, BestTimesAndFlags) {
    struct Step {
        int time;
        int personalBefore, overallBefore;
        int newPersonal, newOverall, personalAfter, overallAfter;
    };
    // Equal times are not new bests; a time-out never is.
    for (const Step& st : {Step{50, kNoTime, 40, 1, 0, 50, 40}, Step{50, 50, 40, 0, 0, 50, 40},
                           Step{30, 50, 40, 1, 1, 30, 30},
                           Step{kNoTime, kNoTime, kNoTime, 0, 0, kNoTime, kNoTime}}) {
        s->Stats.PersonalBestTimes(3, 12) = st.personalBefore;
        s->Stats.OverallBestTimes[3] = st.overallBefore;
        s->NewPersonalBest = 0;
        s->NewOverallBest = 0;
        ASSERT_TRUE(record(st.time).ok());
        EXPECT_EQ(s->NewPersonalBest, st.newPersonal) << st.time;
        EXPECT_EQ(s->NewOverallBest, st.newOverall) << st.time;
        EXPECT_EQ(s->Stats.PersonalBestTimes(3, 12), st.personalAfter) << st.time;
        EXPECT_EQ(s->Stats.OverallBestTimes[3], st.overallAfter) << st.time;
    }
}

TEST_F(RecordRunTest, ClearedBeforeUsesTheTotalsOfTheLastPass) {
    s->Stats.TotalRunCounts(3, 12) = 2;
    s->Stats.TotalPoints(3, 12) = 9;
    ASSERT_TRUE(record(45).ok());
    EXPECT_EQ(s->ClearedBefore, 0);
    s->Stats.TotalPoints(3, 12) = 10;
    ASSERT_TRUE(record(45).ok());
    EXPECT_EQ(s->ClearedBefore, 1);
}

TEST_F(RecordRunTest, NoSchoolCodeWritesFiveSpaces) {
    s->SchoolCode = Untyped();
    ASSERT_TRUE(record(45).ok());
    EXPECT_EQ(install.readBytes(install.resultsPath()).mid(24, 5), QByteArray("     "));
}

} // namespace
