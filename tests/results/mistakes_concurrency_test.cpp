// Several classroom computers appending the wrong answers of their runs to one mistakes file
// at once, played by child processes (support/childprocess.h): the byte-range lock is a real
// one, so separate processes exclude each other as separate computers do.
//
// The child mode of results_concurrency_test:
//   mistakes FILE COMPUTER BATCHES
//       appends the wrong answers of COMPUTER's BATCHES runs to the mistakes file FILE

#include "results/mistakesfile.h"
#include "support/childprocess.h"
#include "support/sharedappends.h"
#include "support/testfolder.h"
#include "support/testmistakes.h"

#include <gtest/gtest.h>
#include <random>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

int mistakesChild(const QStringList& arguments) {
    if (arguments.size() != 3)
        return 2;
    const int computer = arguments[1].toInt();
    SleepingWaiter waiter;
    std::mt19937 random(unsigned(computer * 7919));
    int failures = 0;
    for (const std::vector<MistakeRecord>& batch : batchesOf(computer, arguments[2].toInt())) {
        pauseBriefly(random);
        if (!appendMistakes(arguments[0], batch, waiter).ok())
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
const ChildModeRegistration kMistakesMode("mistakes", mistakesChild);

TEST(SharedMistakesFile, SixComputersAppendingBatchesAtOnceLoseNothing) {
    constexpr int kComputers = 6;
    constexpr int kBatches = 100;
    TestInstallation install;
    const QString path = install.programDataDir() + QStringLiteral("誤答記録.csv");
    std::vector<ChildProcess> children;
    for (int c = 1; c <= kComputers; ++c) {
        children.push_back(ChildProcess::start(
            QStringLiteral("mistakes"), {path, QString::number(c), QString::number(kBatches)}));
        ASSERT_TRUE(children.back().started()) << "cannot start child " << c;
    }
    for (ChildProcess& child : children)
        EXPECT_EQ(child.finish(), 0);

    const QByteArray bytes = install.readBytes(path);
    expectEveryBatchWhole(path, bytes, kComputers, kBatches);
}

} // namespace
