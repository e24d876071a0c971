// Several classroom computers sharing one results file, and power cuts in the middle of a
// delete, played by forked processes on this machine. The byte-range lock is a real
// open-file-description lock, so separate processes exclude each other as separate computers do.
//
// To see that the lock is what keeps the appends whole, run once with ZANFOLIO_TEST_NO_LOCK=1:
// the append test then loses records.

#include "results/resultsfile.h"
#include "support/sharedappends.h"
#include "support/testfolder.h"
#include "support/testrecords.h"

#include <QElapsedTimer>
#include <QFile>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

ResultsFile::Locking lockingUnderTest() {
    const char* off = std::getenv("ZANFOLIO_TEST_NO_LOCK");
    return off && *off == '1' ? ResultsFile::Locking::Off : ResultsFile::Locking::On;
}

TEST(SharedResultsFile, EightComputersAppendingAtOnceLoseNothing) {
    constexpr int kComputers = 8;
    constexpr int kRuns = 500;
    TestInstallation install;
    std::vector<pid_t> children;
    for (int c = 0; c < kComputers; ++c) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            SleepingWaiter waiter;
            ResultsFile file(install.resultsPath(), waiter, lockingUnderTest());
            std::mt19937 random(unsigned(c * 7919 + 1));
            std::uniform_int_distribution<int> pause(0, 300);
            int failures = 0;
            for (int i = 0; i < kRuns; ++i) {
                usleep(useconds_t(pause(random)));
                if (!file.append(sharedRecord(c + 1, 1, i)).ok())
                    ++failures;
            }
            _exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    const QByteArray bytes = install.readBytes(install.resultsPath());
    expectEveryAppendWhole(bytes, kComputers, kRuns);
}

TEST(SharedResultsFile, PowerCutDuringADeleteLeavesTheOldOrTheNewFileWhole) {
    constexpr int kRecords = 3000;
    constexpr int kCuts = 100;
    TestInstallation install;
    QByteArray bytes;
    for (int i = 0; i < kRecords; ++i)
        bytes += sharedRecord(1 + i % 50, 1, i).encode();
    install.writeBytes(install.resultsPath(), bytes);

    // How long one delete takes here, to cut the power at random moments within it.
    auto deleteInChild = [&](int number) {
        const pid_t pid = fork();
        if (pid == 0) {
            SleepingWaiter waiter;
            ResultsFile file(install.resultsPath(), waiter);
            _exit(file.remove(number).ok() ? 0 : 1);
        }
        return pid;
    };
    QElapsedTimer timer;
    timer.start();
    const pid_t first = deleteInChild(1);
    int status = 0;
    waitpid(first, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const qint64 deleteUs = std::max<qint64>(timer.nsecsElapsed() / 1000, 200);

    std::mt19937 random(20261209);
    int before = 0;
    int after = 0;
    for (int cut = 0; cut < kCuts; ++cut) {
        const QByteArray old = install.readBytes(install.resultsPath());
        const int count = int(old.size() / 44);
        ASSERT_GT(count, 0);
        const int number = std::uniform_int_distribution<int>(1, count)(random);
        QByteArray expectedAfter = old;
        expectedAfter.remove(qint64(number - 1) * 44, 44);

        const pid_t pid = deleteInChild(number);
        usleep(useconds_t(std::uniform_int_distribution<qint64>(0, deleteUs * 3 / 2)(random)));
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);

        ASSERT_TRUE(QFile::exists(install.resultsPath())) << "cut " << cut;
        const QByteArray now = install.readBytes(install.resultsPath());
        if (now == old)
            ++before;
        else if (now == expectedAfter)
            ++after;
        else
            FAIL() << "cut " << cut << ": the file is neither the old nor the new one ("
                   << now.size() << " bytes)";
    }
    std::cout << "cuts before the rename: " << before << ", after: " << after
              << ", one delete takes about " << deleteUs << " us\n";
}

} // namespace
