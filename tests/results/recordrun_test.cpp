#include "frame/daycount.h"
#include "frame/platformfile.h"
#include "results/recordrun.h"
#include "support/fakes.h"
#include "support/testfolder.h"

#include <QFile>
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
    Result<RunRecorded> record(int time) {
        s->RecordedTime = time;
        return RecordRun(*s, 3, file, pending, clock);
    }
    std::vector<int> recordedTimes() {
        std::vector<int> times;
        const QByteArray bytes = install.readBytes(install.resultsPath());
        for (qsizetype at = 0; at + ResultsRecord::kSize <= bytes.size();
             at += ResultsRecord::kSize)
            times.push_back(ResultsRecord::decode(bytes.constData() + at).time);
        return times;
    }
    std::vector<int> keptTimes() {
        std::vector<int> times;
        Result<std::vector<ResultsRecord>> kept = pending.load();
        EXPECT_TRUE(kept.ok());
        for (const ResultsRecord& r : kept ? *kept : std::vector<ResultsRecord>{})
            times.push_back(r.time);
        return times;
    }
    TestInstallation install;
    FakeClock clock{QDateTime(QDate(2004, 5, 6), QTime(10, 30))};
    RecordingWaiter waiter;
    ResultsFile file{install.resultsPath(), waiter};
    PendingRuns pending{install.root() + QStringLiteral("この計算機/未記録の成績.dat")};
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

TEST_F(RecordRunTest, ARunAFullDiskCannotTakeIsKeptAndLaterRecordedInOrderExactlyOnce) {
    FillingDisk disk;
    file.setWriteFaults(&disk);
    ASSERT_TRUE(record(45).ok());
    disk.fail = 1;
    Result<RunRecorded> first = record(50);
    ASSERT_TRUE(first.ok());
    EXPECT_TRUE(first->kept);
    EXPECT_TRUE(first->message.contains(QStringLiteral("No space left on device")));
    EXPECT_TRUE(first->message.contains(QStringLiteral("このコンピュータに保管しました")));
    // The half-written record was cut back: no torn tail for the readers.
    EXPECT_EQ(install.readBytes(install.resultsPath()).size(), ResultsRecord::kSize);
    Result<RunRecorded> second = record(55);
    ASSERT_TRUE(second.ok());
    EXPECT_TRUE(second->kept);
    EXPECT_EQ(keptTimes(), (std::vector<int>{50, 55}));

    disk.fail = 0; // space again: the kept runs go first, in order, then this one
    Result<RunRecorded> third = record(60);
    ASSERT_TRUE(third.ok());
    EXPECT_FALSE(third->kept);
    EXPECT_EQ(recordedTimes(), (std::vector<int>{45, 50, 55, 60}));
    EXPECT_FALSE(QFile::exists(pending.path()));
    Result<int> again = pending.deliver(file);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(*again, 0);
    EXPECT_EQ(recordedTimes().size(), 4u);
}

TEST_F(RecordRunTest, AKeptRunWhoseAppendWentThroughBeforeAPowerCutIsNotAppendedAgain) {
    FillingDisk disk;
    file.setWriteFaults(&disk);
    disk.fail = 1;
    ASSERT_TRUE(record(50).ok());
    ASSERT_EQ(keptTimes(), std::vector<int>{50});
    // The append of the kept run reached the file, but the pending file was not rewritten.
    Result<std::vector<ResultsRecord>> kept = pending.load();
    ASSERT_TRUE(kept.ok());
    install.writeBytes(install.resultsPath(), kept->front().encode());
    disk.fail = 0;
    Result<int> delivered = pending.deliver(file);
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(*delivered, 1);
    EXPECT_EQ(recordedTimes(), std::vector<int>{50});
    EXPECT_TRUE(keptTimes().empty());
}

TEST_F(RecordRunTest, ARunWaitingForALockWhenTheProgramClosesIsKept) {
    // Another computer holds the lock; the pupil closes the window: the waiter stops.
    Result<PlatformFile> other =
        PlatformFile::open(install.resultsPath(), PlatformFile::Mode::ReadWriteCreate);
    ASSERT_TRUE(other.ok());
    Result<bool> locked = other->tryLock(0, ResultsRecord::kSize);
    ASSERT_TRUE(locked.ok() && *locked);
    waiter.giveUpAfter = 5;
    Result<RunRecorded> outcome = record(45);
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome->kept);
    EXPECT_EQ(waiter.waits.size(), 5u);
    EXPECT_EQ(keptTimes(), std::vector<int>{45});
    EXPECT_TRUE(recordedTimes().empty());
}

TEST_F(RecordRunTest, AFolderThatIsGoneIsWaitedOutBrieflyThenTheRunIsKept) {
    ResultsFile gone(install.root() + QStringLiteral("ない/成績累積データ.dat"), waiter);
    s->RecordedTime = 45;
    std::vector<QString> notices;
    gone.setRetryObserver(
        [&notices](const Error& why) { notices.push_back(recordWaitNotice(why)); });
    Result<RunRecorded> outcome = RecordRun(*s, 3, gone, pending, clock);
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome->kept);
    EXPECT_EQ(keptTimes(), std::vector<int>{45});
    int waited = 0;
    for (int ms : waiter.waits)
        waited += ms;
    EXPECT_GE(waited, 4000);
    EXPECT_LE(waited, 8000);
    ASSERT_FALSE(notices.empty());
    EXPECT_TRUE(
        notices.front().startsWith(QStringLiteral("成績ファイルのフォルダが見つかりません")));
}

TEST(RecordWaitNotice, SaysWhatIsWrong) {
    const std::pair<ErrorKind, QString> cases[] = {
        {ErrorKind::Sharing, QStringLiteral("他のコンピュータが成績ファイルを使用中です。")},
        {ErrorKind::NotFound, QStringLiteral("成績ファイルのフォルダが見つかりません")},
        {ErrorKind::Denied, QStringLiteral("成績ファイルに書き込む許可がありません。")},
        {ErrorKind::Other, QStringLiteral("成績ファイルに書き込めません。")}};
    for (const auto& [kind, start] : cases) {
        const QString notice = recordWaitNotice(Error{QString(), QString(), false, kind, 0});
        EXPECT_TRUE(notice.startsWith(start)) << notice.toStdString();
        EXPECT_TRUE(notice.endsWith(QStringLiteral("記録を待っています…")));
    }
}

TEST_F(RecordRunTest, NoSchoolCodeWritesFiveSpaces) {
    s->SchoolCode = Untyped();
    ASSERT_TRUE(record(45).ok());
    EXPECT_EQ(install.readBytes(install.resultsPath()).mid(24, 5), QByteArray("     "));
}

} // namespace
