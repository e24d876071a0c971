#include "app/sharedstate.h"
#include "frame/daycount.h"
#include "frame/platformfile.h"
#include "results/changelog.h"
#include "results/recordrun.h"
#include "support/fakes.h"
#include "support/testfolder.h"
#include "support/testrecords.h"

#include <QFile>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

class RecordRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        s->session.CurrentStudent = 12;
        s->session.CurrentLevel = 3;
        s->installation.SchoolCode = Untyped(QStringLiteral("00123"));
        s->Criteria.TargetCount[3] = 2;
        s->Criteria.TargetPoints[3] = 10;
    }
    Result<RunRecorded> record(int time) {
        s->outcome.RecordedTime = time;
        return RecordRun(RunToRecord{s->session.CurrentStudent, 3, s->outcome.RecordedTime,
                                     s->installation.SchoolCode},
                         s->Criteria, s->Stats, s->outcome, file, pending, clock);
    }
    std::vector<int> recordedTimes() {
        std::vector<int> times;
        const QByteArray bytes = install.readBytes(install.resultsPath());
        for (qsizetype at = 0; at + ResultsRecord::kSize <= bytes.size();
             at += ResultsRecord::kSize)
            times.push_back(ResultsRecord::decode(bytes.constData() + at).time);
        return times;
    }
    // Records of other computers, appended in one write.
    void othersAppend(int count, int firstTime = 1000) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i)
            bytes += testRecord(1 + i % 40, 1, firstTime + i).encode();
        RecordingWaiter othersWaiter;
        ResultsFile others(install.resultsPath(), othersWaiter);
        ASSERT_TRUE(others.appendUnder([&](LockedResults& f) { return f.write(bytes); }).ok());
    }
    // How often the results file holds a record with `time`.
    int copiesOf(int time) {
        const std::vector<int> times = recordedTimes();
        return int(std::count(times.begin(), times.end(), time));
    }
    // Keeps a run of `time` (the results file refuses it), then tries to deliver it and cuts the
    // power just after its write went through (`landed`) or just before.
    void keepAndCutThePower(int time, bool landed) {
        const int before = copiesOf(time);
        FillingDisk disk;
        disk.fail = 1;
        file.setWriteFaults(&disk);
        ASSERT_TRUE(record(time)->kept);
        PowerCut cut(install.resultsPath(), landed);
        file.setWriteFaults(&cut);
        EXPECT_THROW((void)pending.deliver(file), PowerCut::Cut);
        file.setWriteFaults(nullptr);
        ASSERT_EQ(keptTimes(), std::vector<int>{time}); // the pending file was not rewritten
        EXPECT_EQ(copiesOf(time), before + (landed ? 1 : 0));
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
        s->outcome.NewPersonalBest = 0;
        s->outcome.NewOverallBest = 0;
        ASSERT_TRUE(record(st.time).ok());
        EXPECT_EQ(s->outcome.NewPersonalBest, st.newPersonal) << st.time;
        EXPECT_EQ(s->outcome.NewOverallBest, st.newOverall) << st.time;
        EXPECT_EQ(s->Stats.PersonalBestTimes(3, 12), st.personalAfter) << st.time;
        EXPECT_EQ(s->Stats.OverallBestTimes[3], st.overallAfter) << st.time;
    }
}

TEST_F(RecordRunTest, ClearedBeforeUsesTheTotalsOfTheLastPass) {
    s->Stats.TotalRunCounts(3, 12) = 2;
    s->Stats.TotalPoints(3, 12) = 9;
    ASSERT_TRUE(record(45).ok());
    EXPECT_EQ(s->outcome.ClearedBefore, 0);
    s->Stats.TotalPoints(3, 12) = 10;
    ASSERT_TRUE(record(45).ok());
    EXPECT_EQ(s->outcome.ClearedBefore, 1);
}

TEST_F(RecordRunTest, ARunAFullDiskCannotTakeIsKeptAndLaterRecordedInOrderExactlyOnce) {
    FillingDisk disk;
    file.setWriteFaults(&disk);
    ASSERT_TRUE(record(45).ok());
    disk.fail = 1;
    Result<RunRecorded> first = record(50);
    ASSERT_TRUE(first.ok());
    EXPECT_TRUE(first->kept);
    EXPECT_TRUE(first->message.contains(QStringLiteral("ディスクの空きがありません")));
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
    // The append of the kept run reached the file, but the pending file was not rewritten;
    // other computers append 2500 records before this one starts again.
    keepAndCutThePower(50, true);
    othersAppend(2500);
    Result<int> delivered = pending.deliver(file);
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(*delivered, 1);
    EXPECT_EQ(copiesOf(50), 1);
    EXPECT_EQ(recordedTimes().size(), 2501u);
    EXPECT_EQ(recordedTimes().front(), 50);
    EXPECT_TRUE(keptTimes().empty());
}

TEST_F(RecordRunTest, AKeptRunIsFollowedThroughTheDeletesAndCorrectionsMadeSince) {
    struct Case {
        const char* name;
        bool landed;                            // the append went through before the cut
        std::function<void(ResultsFile&)> then; // what the teachers did meanwhile
        int copies;                             // of the kept run afterwards
    };
    const Case cases[] = {
        {"a record before it deleted", true, [](ResultsFile& f) { ASSERT_TRUE(f.remove(2).ok()); },
         1},
        {"two before it deleted, one after it", true,
         [](ResultsFile& f) {
             ASSERT_TRUE(f.remove(5).ok());
             ASSERT_TRUE(f.remove(1).ok());
             ASSERT_TRUE(f.remove(1).ok());
         },
         1},
        {"it was deleted by a teacher", true, [](ResultsFile& f) { ASSERT_TRUE(f.remove(4).ok()); },
         0},
        {"it was corrected by a teacher", true,
         [](ResultsFile& f) {
             Result<ResultsRecord> r = f.read(4);
             ASSERT_TRUE(r.ok());
             r->time = 51;
             ASSERT_TRUE(f.rewrite(4, *r).ok());
         },
         0},
        {"its place taken by another computer's record, one before deleted", false,
         [](ResultsFile& f) { ASSERT_TRUE(f.remove(1).ok()); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(install.resultsPath());
        QFile::remove(file.changeLogPath());
        QFile::remove(pending.path());
        othersAppend(3);
        keepAndCutThePower(50, c.landed);
        othersAppend(3, 2000); // its place is 4 when it went through, else another's
        c.then(file);
        Result<int> delivered = pending.deliver(file);
        ASSERT_TRUE(delivered.ok()) << delivered.error().message.toStdString();
        EXPECT_EQ(copiesOf(50), c.copies);
        EXPECT_TRUE(keptTimes().empty());
    }
}

TEST_F(RecordRunTest, AnEqualRecordOfAnotherComputerIsNoProofThatAKeptRunWasWritten) {
    // Two computers record the same pupil entry on the same level in the same second, both
    // timed out: the same 44 bytes. This one's share was gone; the other's went in.
    othersAppend(5);
    s->outcome.RecordedTime = kNoTime;
    const ResultsRecord same =
        makeRunRecord(RunToRecord{s->session.CurrentStudent, s->session.CurrentLevel,
                                  s->outcome.RecordedTime, s->installation.SchoolCode},
                      clock.now());
    ASSERT_TRUE(file.append(same).ok());
    ResultsFile gone(install.root() + QStringLiteral("ない/成績累積データ.dat"), waiter);
    ASSERT_TRUE(RecordRun(RunToRecord{s->session.CurrentStudent, 3, s->outcome.RecordedTime,
                                      s->installation.SchoolCode},
                          s->Criteria, s->Stats, s->outcome, gone, pending, clock)
                    ->kept);
    Result<int> delivered = pending.deliver(file);
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(copiesOf(kNoTime), 2);

    // Nor is one that stands after the place where its own try began and did not go in.
    keepAndCutThePower(kNoTime, false);
    othersAppend(1, 3000);
    ASSERT_TRUE(file.append(same).ok());
    delivered = pending.deliver(file);
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(copiesOf(kNoTime), 4);
}

TEST_F(RecordRunTest, EachKeptRunIsNotedWithThePlaceOfItsWriteBeforeTheWrite) {
    const auto entry = [](const ResultsRecord& r, qint64 place, qint64 changes) {
        QByteArray e = r.encode() + QByteArray(4, '\0');
        for (qint64 v : {place, changes})
            for (int i = 0; i < 8; ++i)
                e += char((quint64(v) >> (8 * i)) & 0xFF);
        return e;
    };
    othersAppend(3);
    ASSERT_TRUE(file.remove(1).ok()); // one change in the change log
    keepAndCutThePower(50, false);
    Result<std::vector<KeptRun>> kept = pending.loadKept();
    ASSERT_TRUE(kept.ok());
    ASSERT_EQ(kept->size(), 1u);
    EXPECT_EQ(install.readBytes(pending.path()),
              QByteArray("Zanfolio kept 2\n") + entry(kept->front().record, 2 * 44, 1));
    // A run kept and never tried has no place.
    ResultsRecord later = kept->front().record;
    later.time = 55;
    ASSERT_TRUE(pending.keep(later, waiter).ok());
    EXPECT_EQ(install.readBytes(pending.path()).mid(16 + 64), entry(later, KeptRun::kNotTried, 0));
}

TEST_F(RecordRunTest, RunsKeptByAnEarlierVersionAreDeliveredAndItsOldestOneNotTwice) {
    // An earlier version kept the runs' 44-byte records only, and appended them one at a time:
    // its oldest run may have gone in just before it stopped (here it did).
    othersAppend(3);
    QByteArray earlier;
    for (int time : {50, 55, 60})
        earlier += testRecord(12, 3, time).encode();
    install.writeBytes(pending.path(), earlier);
    ASSERT_TRUE(file.append(testRecord(12, 3, 50)).ok());
    EXPECT_EQ(keptTimes(), (std::vector<int>{50, 55, 60}));
    // Keeping one more turns the file into the present form, the earlier runs first.
    ASSERT_TRUE(pending.keep(testRecord(12, 3, 65), waiter).ok());
    EXPECT_TRUE(install.readBytes(pending.path()).startsWith("Zanfolio kept 2\n"));
    EXPECT_EQ(keptTimes(), (std::vector<int>{50, 55, 60, 65}));
    Result<int> delivered = pending.deliver(file);
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(*delivered, 4);
    EXPECT_EQ(recordedTimes(), (std::vector<int>{1000, 1001, 1002, 50, 55, 60, 65}));

    // Not gone in: the oldest one is written too.
    install.writeBytes(pending.path(), testRecord(12, 3, 70).encode());
    delivered = pending.deliver(file);
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(copiesOf(70), 1);
}

TEST_F(RecordRunTest, ADeleteLeftHalfDoneIsSettledFromTheResultsFile) {
    // A teacher's delete of record 1 wrote its change and then the computer went down, before
    // (the file as it was) or after (record 1 gone) it replaced the file. A run kept here had
    // gone in as record 3 before that; which file is there decides where it is now.
    const ResultsRecord a = testRecord(1, 1, 1000);
    const ResultsRecord b = testRecord(2, 1, 1001);
    const ResultsRecord run = testRecord(12, 3, 50);
    for (bool replaced : {false, true}) {
        SCOPED_TRACE(replaced);
        QFile::remove(file.changeLogPath());
        install.writeBytes(install.resultsPath(), a.encode() + b.encode() + run.encode());
        {
            Result<PlatformFile> results =
                PlatformFile::open(install.resultsPath(), PlatformFile::Mode::ReadWriteCreate);
            ASSERT_TRUE(results.ok());
            Result<ChangeLog> log = ChangeLog::take(file.changeLogPath(), *results, true);
            ASSERT_TRUE(log.ok());
            RecordChange change;
            change.number = 1;
            change.lengthBefore = 3 * 44;
            change.before = a.encode();
            ASSERT_TRUE(log->begin(change).ok());
        }
        if (replaced)
            install.writeBytes(install.resultsPath(), b.encode() + run.encode());
        QByteArray kept = "Zanfolio kept 2\n" + run.encode() + QByteArray(4, '\0');
        for (qint64 v : {qint64(2 * 44), qint64(0)})
            for (int i = 0; i < 8; ++i)
                kept += char((quint64(v) >> (8 * i)) & 0xFF);
        install.writeBytes(pending.path(), kept);
        Result<int> delivered = pending.deliver(file);
        ASSERT_TRUE(delivered.ok());
        EXPECT_EQ(copiesOf(50), 1);
        EXPECT_EQ(recordedTimes().size(), replaced ? 2u : 3u);
    }
}

TEST_F(RecordRunTest, AFullDiskIsWaitedOutLikeTheOtherFaultsThenTheRunIsKept) {
    FillingDisk disk;
    disk.fail = 1;
    file.setWriteFaults(&disk);
    Result<RunRecorded> outcome = record(45);
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome->kept);
    int waited = 0;
    for (int ms : waiter.waits)
        waited += ms;
    EXPECT_GE(waited, 4000);
    EXPECT_LE(waited, 8000);
    EXPECT_EQ(keptTimes(), std::vector<int>{45});
    EXPECT_TRUE(recordedTimes().empty());
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
    s->outcome.RecordedTime = 45;
    std::vector<QString> notices;
    gone.setRetryObserver(
        [&notices](const Error& why) { notices.push_back(recordWaitNotice(why)); });
    Result<RunRecorded> outcome =
        RecordRun(RunToRecord{s->session.CurrentStudent, 3, s->outcome.RecordedTime,
                              s->installation.SchoolCode},
                  s->Criteria, s->Stats, s->outcome, gone, pending, clock);
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
    s->installation.SchoolCode = Untyped();
    ASSERT_TRUE(record(45).ok());
    EXPECT_EQ(install.readBytes(install.resultsPath()).mid(24, 5), QByteArray("     "));
}

} // namespace
