// Several classroom computers sharing one results file, and power cuts in the middle of a
// delete, played by separate Windows processes: this test program started again in a child
// mode. The byte-range lock is LockFileEx, so the processes exclude each other as separate
// computers do; the delete replaces the file with MoveFileExW.
//
//   results_concurrency_test --append-child FILE COMPUTER RUNS [PAUSE_MS]
//       appends RUNS records of pupil COMPUTER, level 1, times 0 .. RUNS - 1 (with a pause
//       between them: tests/results/mixed_fleet_test.sh runs it beside Linux processes)
//   results_concurrency_test --delete-child FILE NUMBER          deletes record NUMBER
//   results_concurrency_test --mistakes-child FILE COMPUTER BATCHES
//       appends the wrong answers of COMPUTER's BATCHES runs to the mistakes file FILE
//
// To see that the lock is what keeps the appends whole, run once with ZANFOLIO_TEST_NO_LOCK=1:
// the append test then loses records.

#include "results/mistakesfile.h"
#include "results/resultsfile.h"
#include "support/sharedappends.h"
#include "support/testfolder.h"
#include "support/testmistakes.h"
#include "support/testrecords.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <windows.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

ResultsFile::Locking lockingUnderTest() {
    const char* off = std::getenv("ZANFOLIO_TEST_NO_LOCK");
    return off && *off == '1' ? ResultsFile::Locking::Off : ResultsFile::Locking::On;
}

int appendChild(const QString& path, int computer, int runs, int pauseMs) {
    SleepingWaiter waiter;
    ResultsFile file(path, waiter, lockingUnderTest());
    std::mt19937 random(unsigned(computer * 7919 + 1));
    std::uniform_int_distribution<int> pause(0, 2);
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        if (pauseMs > 0)
            Sleep(DWORD(pauseMs));
        else if (pause(random) == 0)
            Sleep(0); // give up the rest of the time slice now and then
        if (!file.append(sharedRecord(computer, 1, i)).ok())
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}

int deleteChild(const QString& path, int number) {
    SleepingWaiter waiter;
    ResultsFile file(path, waiter);
    return file.remove(number).ok() ? 0 : 1;
}

int mistakesChild(const QString& path, int computer, int batches) {
    SleepingWaiter waiter;
    int failures = 0;
    for (const std::vector<MistakeRecord>& batch : batchesOf(computer, batches))
        if (!appendMistakes(path, batch, waiter).ok())
            ++failures;
    return failures == 0 ? 0 : 1;
}

// This program again, in a child mode; the process handle, or nullptr.
HANDLE startChild(const QStringList& arguments) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    QString commandLine = u'"' + QString::fromWCharArray(self) + u'"';
    for (const QString& a : arguments)
        commandLine += QStringLiteral(" \"") + a + u'"';
    std::wstring text = commandLine.toStdWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// Waits for a child and returns its exit code (-1 when it cannot be read).
long long finish(HANDLE process) {
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    const bool read = GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return read ? (long long)code : -1;
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(SharedResultsFile, EightWindowsProcessesAppendingAtOnceLoseNothing) {
    constexpr int kComputers = 8;
    constexpr int kRuns = 250;
    TestInstallation install;
    std::vector<HANDLE> children;
    for (int c = 1; c <= kComputers; ++c) {
        HANDLE h = startChild({QStringLiteral("--append-child"), install.resultsPath(),
                               QString::number(c), QString::number(kRuns)});
        ASSERT_NE(h, nullptr) << "cannot start child " << c;
        children.push_back(h);
    }
    for (HANDLE h : children)
        EXPECT_EQ(finish(h), 0);

    const QByteArray bytes = readBytes(install.resultsPath());
    expectEveryAppendWhole(bytes, kComputers, kRuns);
}

TEST(SharedResultsFile, PowerCutDuringADeleteLeavesTheOldOrTheNewFileWhole) {
    constexpr int kRecords = 3000;
    constexpr int kCuts = 40;
    TestInstallation install;
    QByteArray bytes;
    for (int i = 0; i < kRecords; ++i)
        bytes += sharedRecord(1 + i % 50, 1, i).encode();
    install.writeBytes(install.resultsPath(), bytes);

    const auto deleteInChild = [&](int number) {
        return startChild(
            {QStringLiteral("--delete-child"), install.resultsPath(), QString::number(number)});
    };
    // How long a child takes to start and delete, to cut the power at random moments within.
    QElapsedTimer timer;
    timer.start();
    HANDLE first = deleteInChild(1);
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(finish(first), 0);
    const qint64 childMs = std::max<qint64>(timer.elapsed(), 5);

    std::mt19937 random(20261210);
    int before = 0;
    int after = 0;
    for (int cut = 0; cut < kCuts; ++cut) {
        const QByteArray old = readBytes(install.resultsPath());
        const int count = int(old.size() / 44);
        ASSERT_GT(count, 0);
        const int number = std::uniform_int_distribution<int>(1, count)(random);
        QByteArray expectedAfter = old;
        expectedAfter.remove(qint64(number - 1) * 44, 44);

        HANDLE h = deleteInChild(number);
        ASSERT_NE(h, nullptr);
        Sleep(DWORD(std::uniform_int_distribution<qint64>(0, childMs * 3 / 2)(random)));
        TerminateProcess(h, 9);
        finish(h);

        ASSERT_TRUE(QFile::exists(install.resultsPath())) << "cut " << cut;
        const QByteArray now = readBytes(install.resultsPath());
        if (now == old)
            ++before;
        else if (now == expectedAfter)
            ++after;
        else
            FAIL() << "cut " << cut << ": the file is neither the old nor the new one ("
                   << now.size() << " bytes)";
    }
    std::cout << "cuts before the rename: " << before << ", after: " << after
              << ", a child's start and delete take about " << childMs << " ms\n";
}

TEST(SharedMistakesFile, SixWindowsProcessesAppendingBatchesAtOnceLoseNothing) {
    constexpr int kComputers = 6;
    constexpr int kBatches = 100;
    TestInstallation install;
    const QString path = install.programDataDir() + QStringLiteral("誤答記録.csv");
    std::vector<HANDLE> children;
    for (int c = 1; c <= kComputers; ++c) {
        HANDLE h = startChild({QStringLiteral("--mistakes-child"), path, QString::number(c),
                               QString::number(kBatches)});
        ASSERT_NE(h, nullptr) << "cannot start child " << c;
        children.push_back(h);
    }
    for (HANDLE h : children)
        EXPECT_EQ(finish(h), 0);

    const QByteArray bytes = readBytes(path);
    expectEveryBatchWhole(path, bytes, kComputers, kBatches);
}

} // namespace

int main(int argc, char** argv) {
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // The arguments of a child come from the wide command line (the file name is Japanese).
    int wideCount = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &wideCount);
    QStringList args;
    for (int i = 0; i < wideCount; ++i)
        args << QString::fromWCharArray(wide[i]);
    LocalFree(wide);
    if (mode == QStringLiteral("--append-child") && (args.size() == 5 || args.size() == 6))
        return appendChild(args[2], args[3].toInt(), args[4].toInt(),
                           args.size() == 6 ? args[5].toInt() : 0);
    if (mode == QStringLiteral("--delete-child") && args.size() == 4)
        return deleteChild(args[2], args[3].toInt());
    if (mode == QStringLiteral("--mistakes-child") && args.size() == 5)
        return mistakesChild(args[2], args[3].toInt(), args[4].toInt());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
