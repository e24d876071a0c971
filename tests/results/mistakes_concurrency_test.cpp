// Several classroom computers appending the wrong answers of their runs to one mistakes file
// at once, played by forked processes: the byte-range lock is a real open-file-description
// lock, so separate processes exclude each other as separate computers do.

#include "results/mistakesfile.h"
#include "support/sharedappends.h"
#include "support/testfolder.h"
#include "support/testmistakes.h"

#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

TEST(SharedMistakesFile, SixComputersAppendingBatchesAtOnceLoseNothing) {
    constexpr int kComputers = 6;
    constexpr int kBatches = 100;
    TestInstallation install;
    const QString path = install.programDataDir() + QStringLiteral("誤答記録.csv");
    std::vector<pid_t> children;
    for (int c = 1; c <= kComputers; ++c) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            SleepingWaiter waiter;
            std::mt19937 random(unsigned(c * 7919));
            std::uniform_int_distribution<int> pause(0, 300);
            int failures = 0;
            for (const std::vector<MistakeRecord>& batch : batchesOf(c, kBatches)) {
                usleep(useconds_t(pause(random)));
                if (!appendMistakes(path, batch, waiter).ok())
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

    const QByteArray bytes = install.readBytes(path);
    expectEveryBatchWhole(path, bytes, kComputers, kBatches);
}

} // namespace
