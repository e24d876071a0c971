// Several classroom computers appending the wrong answers of their runs to one mistakes file
// at once, played by forked processes: the byte-range lock is a real open-file-description
// lock, so separate processes exclude each other as separate computers do.

#include "results/mistakesfile.h"
#include "support/testfolder.h"
#include "support/testmistakes.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

// The batches of computer c: 1 to 3 lines each, the same on every call for the same c.
std::vector<std::vector<MistakeRecord>> batchesOf(int computer, int batches) {
    std::mt19937 random(unsigned(computer * 104729 + 3));
    std::uniform_int_distribution<int> lines(1, 3);
    std::vector<std::vector<MistakeRecord>> out;
    for (int b = 0; b < batches; ++b) {
        std::vector<MistakeRecord> batch;
        const int n = lines(random);
        for (int line = 0; line < n; ++line)
            batch.push_back(testMistake(computer, b + 1, QStringLiteral("%1.%2").arg(b).arg(line),
                                        kMistakeKinds[size_t((b + line) % 8)]));
        out.push_back(batch);
    }
    return out;
}

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
    const QByteArray heading = mistakesHeading().toUtf8();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF" + heading + "\r\n"));
    EXPECT_EQ(bytes.count(heading), 1);
    Result<MistakesRead> read = readMistakes(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->unreadableLines, 0) << "torn or mixed lines";
    EXPECT_FALSE(read->tornTail);

    // Every computer's batches, whole and in its order: the lines of one batch stand together.
    std::map<int, std::vector<MistakeRecord>> byComputer;
    const std::vector<MistakeRecord>& lines = read->records;
    for (size_t i = 0; i < lines.size();) {
        const int computer = lines[i].pupil;
        const std::vector<std::vector<MistakeRecord>> expected = batchesOf(computer, kBatches);
        const size_t next = byComputer[computer].size();
        size_t batch = 0;
        for (size_t seen = 0; batch < expected.size() && seen < next; ++batch)
            seen += expected[batch].size();
        ASSERT_LT(batch, expected.size()) << "computer " << computer << ": more lines than made";
        for (const MistakeRecord& r : expected[batch]) {
            ASSERT_LT(i, lines.size()) << "computer " << computer << ": a batch cut short";
            ASSERT_EQ(lines[i], r) << "line " << i + 2 << ": lost, duplicated or mixed";
            byComputer[computer].push_back(lines[i++]);
        }
    }
    for (int c = 1; c <= kComputers; ++c) {
        size_t made = 0;
        for (const std::vector<MistakeRecord>& batch : batchesOf(c, kBatches))
            made += batch.size();
        EXPECT_EQ(byComputer[c].size(), made) << "computer " << c << ": lines lost";
    }
}

} // namespace
