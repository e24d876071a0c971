// A real full disk: a small tmpfs, mounted in a mount namespace of a child process (so the
// machine sees nothing of it). Needs the right to make such a namespace; skipped without it.

#include "app/sharedstate.h"
#include "frame/platformfile.h"
#include "results/pendingruns.h"
#include "results/recordrun.h"
#include "support/fakes.h"
#include "support/testrecords.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

constexpr int kCannotMount = 77;

// Fills the file system holding `folder` until a write fails.
void fill(const QString& folder) {
    QFile filler(folder + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly))
        _exit(2);
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    const QByteArray byte(1, 'x');
    while (filler.write(byte) == 1 && filler.flush()) {
    }
}

int recordOnAFullDisk(const QString& mountPoint, const QString& pendingPath) {
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return kCannotMount;
    const QByteArray point = mountPoint.toLocal8Bit();
    if (mount("tmpfs", point.constData(), "tmpfs", 0, "size=64k") != 0)
        return kCannotMount;
    const QString path = mountPoint + QStringLiteral("/成績累積データ.dat");
    // 93 records end 4 bytes short of a page: the next record needs a page the disk lacks.
    QByteArray records;
    for (int i = 0; i < 93; ++i)
        records += testRecord(1, 1, 10 + i).encode();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(records) != records.size())
            return 3;
    }
    fill(mountPoint);

    SharedState state;
    state.session.CurrentStudent = 12;
    state.session.CurrentLevel = 2;
    state.outcome.RecordedTime = 45;
    FixedClock clock{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    RecordingWaiter waiter;
    ResultsFile file(path, waiter);
    PendingRuns pending(pendingPath);
    Result<RunRecorded> full =
        RecordRun(RunToRecord{state.session.CurrentStudent, 2, state.outcome.RecordedTime,
                              state.installation.SchoolCode},
                  state.Criteria, state.Stats, state.outcome, file, pending, clock);
    if (!full || !full->kept)
        return 4;
    if (!full->message.contains(fileFaultText(FileFault::DiskFull)))
        return 10; // the reason in Japanese, not the system's English
    if (QFileInfo(path).size() != records.size())
        return 5; // a torn tail was left behind
    if (pending.load()->size() != 1)
        return 6;

    QFile::remove(mountPoint + QStringLiteral("/filler"));
    state.outcome.RecordedTime = 50;
    Result<RunRecorded> room =
        RecordRun(RunToRecord{state.session.CurrentStudent, 2, state.outcome.RecordedTime,
                              state.installation.SchoolCode},
                  state.Criteria, state.Stats, state.outcome, file, pending, clock);
    if (!room || room->kept)
        return 7;
    Result<ResultsTail> tail = file.readTail(0);
    if (!tail || tail->records.size() != 95 || tail->records[93].time != 45 ||
        tail->records[94].time != 50 || tail->partialBytes != 0)
        return 8;
    return pending.load()->empty() ? 0 : 9;
}

TEST(FullDisk, ARunIsKeptWithoutATornTailAndRecordedOnceThereIsRoom) {
    QTemporaryDir work;
    const QString mountPoint = work.filePath(QStringLiteral("share"));
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    const QString pendingPath = work.filePath(QStringLiteral("この計算機/未記録の成績.dat"));
    const pid_t child = fork();
    if (child == 0)
        _exit(recordOnAFullDisk(mountPoint, pendingPath));
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kCannotMount)
        GTEST_SKIP() << "no right to mount a small file system here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
