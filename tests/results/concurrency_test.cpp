// Several classroom computers sharing one results file, and power cuts in the middle of a
// delete, played by child processes of this test program (support/childprocess.h). The
// byte-range lock is a real one (an open-file-description lock; LockFileEx on Windows), so
// separate processes exclude each other as separate computers do; the delete replaces the file
// by a rename (MoveFileExW on Windows).
//
// The child modes of results_concurrency_test:
//   append FILE COMPUTER RUNS [PAUSE_MS]
//       appends RUNS records of pupil COMPUTER, level 1, times 0 .. RUNS - 1, with a brief
//       pause before each (PAUSE_MS milliseconds when given: tests/results/mixed_fleet_test.sh
//       runs it beside Linux processes)
//   delete FILE NUMBER                    deletes record NUMBER
//
// To see that the lock is what keeps the appends whole, run once with ZANFOLIO_TEST_NO_LOCK=1:
// the append test then loses records.

#include "results/resultsfile.h"
#include "support/childprocess.h"
#include "support/sharedappends.h"
#include "support/testfolder.h"
#include "support/testrecords.h"

#include <QElapsedTimer>
#include <QFile>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <thread>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

#ifdef _WIN32
// A Windows child is the whole test program started again, under wine: fewer of them fit.
constexpr int kRunsPerComputer = 250;
constexpr int kCuts = 40;
#else
constexpr int kRunsPerComputer = 500;
constexpr int kCuts = 100;
#endif

ResultsFile::Locking lockingUnderTest() {
    const char* off = std::getenv("ZANFOLIO_TEST_NO_LOCK");
    return off && *off == '1' ? ResultsFile::Locking::Off : ResultsFile::Locking::On;
}

int appendChild(const QStringList& arguments) {
    if (arguments.size() != 3 && arguments.size() != 4)
        return 2;
    const int computer = arguments[1].toInt();
    const int runs = arguments[2].toInt();
    const int pauseMs = arguments.size() == 4 ? arguments[3].toInt() : 0;
    SleepingWaiter waiter;
    ResultsFile file(arguments[0], waiter, lockingUnderTest());
    std::mt19937 random(unsigned(computer * 7919 + 1));
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        if (pauseMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        else
            pauseBriefly(random);
        if (!file.append(sharedRecord(computer, 1, i)).ok())
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
const ChildModeRegistration kAppendMode("append", appendChild);

int deleteChild(const QStringList& arguments) {
    if (arguments.size() != 2)
        return 2;
    SleepingWaiter waiter;
    ResultsFile file(arguments[0], waiter);
    return file.remove(arguments[1].toInt()).ok() ? 0 : 1;
}
const ChildModeRegistration kDeleteMode("delete", deleteChild);

TEST(SharedResultsFile, EightComputersAppendingAtOnceLoseNothing) {
    constexpr int kComputers = 8;
    TestInstallation install;
    std::vector<ChildProcess> children;
    for (int c = 1; c <= kComputers; ++c) {
        children.push_back(ChildProcess::start(
            QStringLiteral("append"),
            {install.resultsPath(), QString::number(c), QString::number(kRunsPerComputer)}));
        ASSERT_TRUE(children.back().started()) << "cannot start child " << c;
    }
    for (ChildProcess& child : children)
        EXPECT_EQ(child.finish(), 0);

    const QByteArray bytes = install.readBytes(install.resultsPath());
    expectEveryAppendWhole(bytes, kComputers, kRunsPerComputer);
}

TEST(SharedResultsFile, PowerCutDuringADeleteLeavesTheOldOrTheNewFileWhole) {
    constexpr int kRecords = 3000;
    TestInstallation install;
    QByteArray bytes;
    for (int i = 0; i < kRecords; ++i)
        bytes += sharedRecord(1 + i % 50, 1, i).encode();
    install.writeBytes(install.resultsPath(), bytes);

    const auto deleteInChild = [&](int number) {
        return ChildProcess::start(QStringLiteral("delete"),
                                   {install.resultsPath(), QString::number(number)});
    };
    // How long a child takes to start and delete, to cut the power at random moments within.
    QElapsedTimer timer;
    timer.start();
    ChildProcess first = deleteInChild(1);
    ASSERT_TRUE(first.started());
    ASSERT_EQ(first.finish(), 0);
    const qint64 childUs = std::max<qint64>(timer.nsecsElapsed() / 1000, 200);

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

        ChildProcess child = deleteInChild(number);
        ASSERT_TRUE(child.started());
        std::this_thread::sleep_for(std::chrono::microseconds(
            std::uniform_int_distribution<qint64>(0, childUs * 3 / 2)(random)));
        child.cut();

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
              << ", a child's start and delete take about " << childUs << " us\n";
}

} // namespace

int main(int argc, char** argv) {
    return childModeOrTests(argc, argv);
}
