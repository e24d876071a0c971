#include "frame/platformfile.h"
#include "results/resultsfile.h"
#include "support/fakes.h"
#include "support/testfolder.h"
#include "support/testrecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

ResultsRecord run(int pupil, int level, int time) {
    return testRecord(pupil, level, time);
}

class ResultsFileTest : public ::testing::Test {
  protected:
    std::vector<int> times() {
        Result<ResultsTail> tail = file.readTail(0);
        EXPECT_TRUE(tail.ok());
        std::vector<int> out;
        for (const ResultsRecord& r : tail->records)
            out.push_back(r.time);
        return out;
    }
    void appendTimes(std::initializer_list<int> ts) {
        for (int t : ts)
            ASSERT_TRUE(file.append(run(1, 1, t)).ok());
    }

    TestInstallation install;
    RecordingWaiter waiter;
    ResultsFile file{install.resultsPath(), waiter};
};

TEST_F(ResultsFileTest, MissingFileIsCreatedEmptyByTheFirstRead) {
    Result<ResultsTail> tail = file.readTail(0);
    ASSERT_TRUE(tail.ok());
    EXPECT_EQ(tail->recordCount, 0);
    EXPECT_TRUE(QFile::exists(install.resultsPath()));
}

TEST_F(ResultsFileTest, AppendOverwritesATornTail) {
    appendTimes({10, 20});
    QFile f(install.resultsPath());
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("torn!");
    f.close();
    EXPECT_EQ(file.readTail(0)->partialBytes, 5);
    appendTimes({30});
    EXPECT_EQ(QFileInfo(install.resultsPath()).size(), 3 * 44);
    EXPECT_EQ(times(), (std::vector<int>{10, 20, 30}));
}

TEST_F(ResultsFileTest, TailReadsOnlyTheLastRecordsInOneCall) {
    appendTimes({1, 2, 3, 4, 5});
    Result<ResultsTail> tail = file.readTail(2);
    ASSERT_TRUE(tail.ok());
    EXPECT_EQ(tail->firstRecordNumber, 4);
    EXPECT_EQ(tail->records.size(), 2u);
    EXPECT_EQ(tail->records[0].time, 4);
    EXPECT_EQ(tail->readCalls, 1);
}

TEST_F(ResultsFileTest, DeleteMovesLaterRecordsDownAndDropsATornTail) {
    struct Case {
        int remove;
        std::vector<int> left;
    };
    for (const Case& c : {Case{1, {20, 30}}, Case{2, {10, 30}}, Case{3, {10, 20}}}) {
        QFile::remove(install.resultsPath());
        appendTimes({10, 20, 30});
        QFile f(install.resultsPath());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("xx");
        f.close();
        ASSERT_TRUE(file.remove(c.remove).ok());
        EXPECT_EQ(times(), c.left) << c.remove;
        EXPECT_EQ(QFileInfo(install.resultsPath()).size(), 2 * 44);
        EXPECT_FALSE(QFile::exists(file.temporaryPath()));
    }
}

TEST_F(ResultsFileTest, DeletingTheOnlyRecordLeavesAnEmptyFile) {
    appendTimes({10});
    ASSERT_TRUE(file.remove(1).ok());
    EXPECT_EQ(QFileInfo(install.resultsPath()).size(), 0);
    EXPECT_FALSE(file.remove(1).ok()); // nothing left to delete, and nothing touched
}

TEST_F(ResultsFileTest, RewriteChangesOneRecordAndKeepsEveryOtherByte) {
    appendTimes({10, 20});
    Result<ResultsRecord> r = file.read(2);
    ASSERT_TRUE(r.ok());
    r->spare = Text5("abcde");
    r->time = 77;
    ASSERT_TRUE(file.rewrite(2, *r).ok());
    EXPECT_EQ(times(), (std::vector<int>{10, 77}));
    EXPECT_EQ(file.read(2)->spare.toByteArray(), QByteArray("abcde"));
    EXPECT_FALSE(file.rewrite(3, *r).ok());
}

TEST_F(ResultsFileTest, AppendWaitsWhileAnotherComputerHoldsTheLock) {
    appendTimes({10});
    // Another open file description of the same file plays the other computer.
    Result<PlatformFile> other =
        PlatformFile::open(install.resultsPath(), PlatformFile::Mode::ReadWriteCreate);
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(*other->tryLock(0, 44));
    waiter.onWait = [&](int n) {
        if (n == 8)
            other->unlock(0, 44);
    };
    ASSERT_TRUE(file.append(run(1, 1, 20)).ok());
    EXPECT_EQ(times(), (std::vector<int>{10, 20}));
    // Short growing pauses, capped at one second.
    EXPECT_EQ(waiter.waits, (std::vector<int>{5, 10, 20, 40, 80, 160, 320, 640}));
    EXPECT_EQ(file.lastLockWaits(), 8);
}

TEST_F(ResultsFileTest, AppendReportsFailureWhenTheWaiterGivesUp) {
    Result<PlatformFile> other =
        PlatformFile::open(install.resultsPath(), PlatformFile::Mode::ReadWriteCreate);
    ASSERT_TRUE(*other->tryLock(0, 44));
    waiter.giveUpAfter = 12;
    Status appended = file.append(run(1, 1, 20));
    ASSERT_FALSE(appended.ok());
    EXPECT_EQ(waiter.waits.back(), 1000);
    EXPECT_EQ(QFileInfo(install.resultsPath()).size(), 0);
}

TEST_F(ResultsFileTest, MissingFolderIsRetriedFourTimesThenEndsTheProgram) {
    ResultsFile lost(install.root() + QStringLiteral("gone/成績累積データ.dat"), waiter);
    Result<ResultsTail> tail = lost.readTail(0);
    ASSERT_FALSE(tail.ok());
    EXPECT_TRUE(tail.error().endsProgram);
    EXPECT_TRUE(tail.error().message.startsWith(QStringLiteral("ファイルがありません")));
    EXPECT_EQ(waiter.waits, (std::vector<int>{5000, 5000, 5000}));
}

TEST_F(ResultsFileTest, FolderThatAppearsDuringTheRetriesIsRead) {
    const QString folder = install.root() + QStringLiteral("late");
    ResultsFile late(folder + QStringLiteral("/成績累積データ.dat"), waiter);
    waiter.onWait = [&](int) { QDir().mkpath(folder); };
    ASSERT_TRUE(late.readTail(0).ok());
    EXPECT_EQ(waiter.waits.size(), 1u);
}

#ifndef _WIN32 // POSIX permissions and a child process of another user
// Runs `body` in a child process that the file system treats as an ordinary user (a test run
// as root would otherwise be let through every permission); the child's exit code is
// returned, 0 when every check in it passed.
int asOrdinaryUser(const QString& folder, const std::function<int()>& body) {
    QDir dir(folder);
    QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
    for (dir.cdUp(); geteuid() == 0 && dir.path() != QStringLiteral("/"); dir.cdUp())
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ExeOther);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(90);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

TEST_F(ResultsFileTest, AReadOnlyFileIsReadAndAnAppendSaysWritingIsRefused) {
    appendTimes({10, 20});
    QFile::setPermissions(install.resultsPath(),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QString folder = install.programDataDir();
    const int exitCode = asOrdinaryUser(folder, [&] {
        RecordingWaiter patient;
        patient.giveUpAfter = 50; // the old reader waited on a read-only file without end
        ResultsFile readOnly(install.resultsPath(), patient);
        Result<ResultsTail> tail = readOnly.readTail(0);
        if (!tail || tail->records.size() != 2)
            return 1;
        if (!patient.waits.empty())
            return 2;
        Status appended = readOnly.append(run(1, 1, 30));
        if (appended || appended.error().kind != ErrorKind::Denied)
            return 3;
        if (!appended.error().message.contains(QStringLiteral("成績ファイル")))
            return 4;
        int waited = 0;
        for (int ms : patient.waits)
            waited += ms;
        return waited >= 4000 && waited <= 8000 ? 0 : 5; // a short wait, then the fault
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(times(), (std::vector<int>{10, 20}));
}

#endif

} // namespace
