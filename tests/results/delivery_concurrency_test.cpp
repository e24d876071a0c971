// What this computer kept, delivered by real processes: two instances of the program on one
// computer (a double click, a second user signed in) delivering the same kept runs and wrong
// answers at once, one keeping while the other delivers, and the power cut (kill -9) at random
// moments of a delivery, with other computers appending and a teacher deleting before the next
// start. Child processes of the test program (support/childprocess.h); the locks are real
// byte-range locks.
//
// The child modes of results_concurrency_test:
//   deliver RESULTS KEPT_RUNS KEPT_MISTAKES MISTAKES
//       one instance of the program at its start: delivers the kept runs, then the kept wrong
//       answers
//   keep KEPT_RUNS FROM COUNT
//       keeps the runs FROM .. FROM + COUNT - 1 (keptRun), a short pause after each

#include "results/mistakesfile.h"
#include "results/pendingmistakes.h"
#include "results/pendingruns.h"
#include "results/resultsfile.h"
#include "support/childprocess.h"
#include "support/testfolder.h"
#include "support/testmistakes.h"
#include "support/testrecords.h"

#include <QElapsedTimer>
#include <QFile>
#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <thread>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

// The run kept as number `n` on this computer (pupil 12; its time tells it apart).
ResultsRecord keptRun(int n) {
    return testRecord(12, 1 + n % 5, 100 + n);
}

// How often each time of pupil 12's runs is in the results file.
std::map<int, int> copiesByTime(const QString& path) {
    std::map<int, int> copies;
    SleepingWaiter waiter(10);
    ResultsFile file(path, waiter);
    Result<ResultsTail> tail = file.readTail(0);
    EXPECT_TRUE(tail.ok());
    EXPECT_EQ(tail->partialBytes, 0) << "a torn record";
    for (const ResultsRecord& r : tail->records)
        if (r.pupil == 12)
            ++copies[r.time];
    return copies;
}

// One instance of the program at its start: the kept runs, then the kept wrong answers.
bool deliverKept(const QString& resultsPath, const QString& keptRunsPath,
                 const QString& keptMistakesPath, const QString& mistakesPath) {
    SleepingWaiter waiter(2000);
    ResultsFile file(resultsPath, waiter);
    PendingRuns runs(keptRunsPath);
    PendingMistakes mistakes(keptMistakesPath);
    DeliveryProgress progress;
    progress.batch = 25; // many batches, so that two deliveries would interleave
    return runs.deliver(file, progress).ok() && mistakes.deliver(mistakesPath, waiter).ok();
}

int deliverChild(const QStringList& arguments) {
    if (arguments.size() != 4)
        return 2;
    return deliverKept(arguments[0], arguments[1], arguments[2], arguments[3]) ? 0 : 1;
}
const ChildModeRegistration kDeliverMode("deliver", deliverChild);

int keepChild(const QStringList& arguments) {
    if (arguments.size() != 3)
        return 2;
    SleepingWaiter waiter(2000);
    PendingRuns pending(arguments[0]);
    const int from = arguments[1].toInt();
    for (int n = from; n < from + arguments[2].toInt(); ++n) {
        if (!pending.keep(keptRun(n), waiter).ok())
            return 1;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return 0;
}
const ChildModeRegistration kKeepMode("keep", keepChild);

class KeptDelivery : public ::testing::Test {
  protected:
    QString pendingRunsPath() const {
        return install.root() + QStringLiteral("この計算機/成績.dat");
    }
    QString pendingMistakesPath() const {
        return install.root() + QStringLiteral("この計算機/誤答.csv");
    }
    QString mistakesPath() const {
        return install.programDataDir() + QStringLiteral("誤答記録.csv");
    }
    void keepRuns(int from, int count) {
        SleepingWaiter waiter(10);
        PendingRuns pending(pendingRunsPath());
        for (int n = from; n < from + count; ++n)
            ASSERT_TRUE(pending.keep(keptRun(n), waiter).ok());
    }
    std::vector<MistakeRecord> keptMistakes(int count) const {
        std::vector<MistakeRecord> batch;
        for (int n = 0; n < count; ++n)
            batch.push_back(testMistake(12, 1 + n % 5, QStringLiteral("%1.").arg(n),
                                        kMistakeKinds[size_t(n % 8)]));
        return batch;
    }
    bool deliverAll() {
        return deliverKept(install.resultsPath(), pendingRunsPath(), pendingMistakesPath(),
                           mistakesPath());
    }
    ChildProcess startDelivery(ChildGate* gate = nullptr) {
        return ChildProcess::start(
            QStringLiteral("deliver"),
            {install.resultsPath(), pendingRunsPath(), pendingMistakesPath(), mistakesPath()},
            gate);
    }

    TestInstallation install;
};

TEST_F(KeptDelivery, TwoInstancesDeliveringTheSameKeptRecordsWriteEachOnce) {
    constexpr int kRuns = 300;
    constexpr int kMistakes = 600;
    for (int attempt = 0; attempt < 6; ++attempt) {
        SCOPED_TRACE(attempt);
        QFile::remove(install.resultsPath());
        QFile::remove(mistakesPath());
        keepRuns(0, kRuns);
        SleepingWaiter waiter(10);
        PendingMistakes pending(pendingMistakesPath());
        ASSERT_TRUE(pending.keep(keptMistakes(kMistakes), waiter).ok());

        ChildGate gate;
        ChildProcess first = startDelivery(&gate);
        ChildProcess second = startDelivery(&gate);
        ASSERT_TRUE(first.started() && second.started());
        ASSERT_TRUE(gate.open());
        EXPECT_EQ(first.finish(), 0);
        EXPECT_EQ(second.finish(), 0);

        const std::map<int, int> copies = copiesByTime(install.resultsPath());
        EXPECT_EQ(copies.size(), size_t(kRuns));
        for (const auto& [time, count] : copies)
            ASSERT_EQ(count, 1) << "run of " << time << " s";
        Result<MistakesRead> written = readMistakes(mistakesPath());
        ASSERT_TRUE(written.ok());
        EXPECT_EQ(written->records, keptMistakes(kMistakes)) << "lost, doubled or mixed";
        EXPECT_FALSE(QFile::exists(pendingRunsPath()));
        EXPECT_FALSE(QFile::exists(pendingMistakesPath()));
    }
}

TEST_F(KeptDelivery, RunsKeptWhileAnotherInstanceDeliversAreNeitherLostNorDoubled) {
    constexpr int kEarlier = 300;
    constexpr int kLater = 100;
    keepRuns(0, kEarlier);
    ChildGate gate;
    ChildProcess delivering = startDelivery(&gate);
    ChildProcess keeping = ChildProcess::start(
        QStringLiteral("keep"),
        {pendingRunsPath(), QString::number(kEarlier), QString::number(kLater)}, &gate);
    ASSERT_TRUE(delivering.started() && keeping.started());
    ASSERT_TRUE(gate.open());
    EXPECT_EQ(delivering.finish(), 0);
    EXPECT_EQ(keeping.finish(), 0);
    ASSERT_TRUE(deliverAll()); // what the first one left
    const std::map<int, int> copies = copiesByTime(install.resultsPath());
    EXPECT_EQ(copies.size(), size_t(kEarlier + kLater)) << "runs lost";
    for (const auto& [time, count] : copies)
        ASSERT_EQ(count, 1) << "run of " << time << " s";
}

TEST_F(KeptDelivery, PowerCutsDuringADeliveryNeitherLoseNorDoubleARun) {
    // The power goes at a random moment of a delivery; before the next start other computers
    // append more than 2000 records and a teacher deletes one of the oldest.
    constexpr int kCuts = 40;
    constexpr int kKept = 60;
    std::mt19937 random(20261210);
    // How long one delivery takes here, to cut it at random moments within it.
    keepRuns(0, kKept);
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(deliverAll());
    const qint64 deliveryUs = std::max<qint64>(timer.nsecsElapsed() / 1000, 500);
    int cutsInTheMiddle = 0;
    for (int cut = 0; cut < kCuts; ++cut) {
        SCOPED_TRACE(cut);
        QFile::remove(install.resultsPath());
        QFile::remove(install.programDataDir() + QStringLiteral("成績累積データ変更記録.dat"));
        QByteArray earlier;
        for (int i = 0; i < 5; ++i)
            earlier += testRecord(1, 1, 10 + i).encode();
        install.writeBytes(install.resultsPath(), earlier);
        keepRuns(0, kKept);

        ChildProcess delivery = startDelivery();
        ASSERT_TRUE(delivery.started());
        std::this_thread::sleep_for(std::chrono::microseconds(
            std::uniform_int_distribution<qint64>(0, deliveryUs)(random)));
        delivery.cut();

        const int before = int(copiesByTime(install.resultsPath()).size());
        if (before > 0 && before < kKept)
            ++cutsInTheMiddle;
        {
            // Other computers, then a teacher.
            QByteArray others;
            for (int i = 0; i < 2100; ++i)
                others += testRecord(20 + i % 30, 1, 5000 + i).encode();
            SleepingWaiter waiter(10);
            ResultsFile file(install.resultsPath(), waiter);
            ASSERT_TRUE(file.appendUnder([&](LockedResults& f) { return f.write(others); }).ok());
            ASSERT_TRUE(file.remove(2).ok());
        }
        ASSERT_TRUE(deliverAll());
        const std::map<int, int> copies = copiesByTime(install.resultsPath());
        ASSERT_EQ(copies.size(), size_t(kKept)) << "runs lost";
        for (const auto& [time, count] : copies)
            ASSERT_EQ(count, 1) << "run of " << time << " s";
    }
    std::cout << "cuts in the middle of a delivery: " << cutsInTheMiddle << " of " << kCuts
              << ", one delivery takes about " << deliveryUs << " us\n";
}

} // namespace
