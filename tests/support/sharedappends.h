#pragma once
// What several computers appending to one shared file at once must leave, for the concurrency
// tests of every platform: each computer's records or batches are made the same way on every
// call, so that the file can be checked against them whole.

#include "results/mistakesfile.h"
#include "results/resultsrecord.h"
#include "support/testmistakes.h"
#include "support/testrecords.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <vector>

namespace zanfolio::testing {

// The record computer `pupil` appends as its run number `time` (level 1 in the append tests).
inline ResultsRecord sharedRecord(int pupil, int level, int time) {
    return testRecord(pupil, level, time).date(46365).schoolCode(QStringLiteral("00123"));
}

// The results file after `computers` computers (pupils 1..computers) appended `runs` records
// each: every record whole and as written, none twice, none missing.
inline void expectEveryAppendWhole(const QByteArray& bytes, int computers, int runs) {
    ASSERT_EQ(bytes.size() % 44, 0) << "a torn record";
    std::set<std::pair<int, int>> seen;
    for (qsizetype at = 0; at < bytes.size(); at += 44) {
        const ResultsRecord r = ResultsRecord::decode(bytes.constData() + at);
        EXPECT_EQ(bytes.mid(at, 44), sharedRecord(r.pupil, 1, r.time).encode())
            << "record " << at / 44 + 1 << " is mixed";
        EXPECT_TRUE(seen.insert({r.pupil, r.time}).second)
            << "duplicated " << r.pupil << "/" << r.time;
    }
    EXPECT_EQ(seen.size(), size_t(computers * runs)) << "records lost";
}

// The batches of computer c: 1 to 3 lines each, the same on every call for the same c.
inline std::vector<std::vector<MistakeRecord>> batchesOf(int computer, int batches) {
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

// The mistakes file after `computers` computers (pupils 1..computers) appended `batches`
// batches each: one heading, no torn line, every batch whole, in its computer's order.
inline void expectEveryBatchWhole(const QString& path, const QByteArray& bytes, int computers,
                                  int batches) {
    const QByteArray heading = mistakesHeading().toUtf8();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF" + heading + "\r\n"));
    EXPECT_EQ(bytes.count(heading), 1);
    Result<MistakesRead> read = readMistakes(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->unreadableLines, 0) << "torn or mixed lines";
    EXPECT_FALSE(read->tornTail);

    // The lines of one batch stand together.
    std::map<int, std::vector<MistakeRecord>> byComputer;
    const std::vector<MistakeRecord>& lines = read->records;
    for (size_t i = 0; i < lines.size();) {
        const int computer = lines[i].pupil;
        const std::vector<std::vector<MistakeRecord>> expected = batchesOf(computer, batches);
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
    for (int c = 1; c <= computers; ++c) {
        size_t made = 0;
        for (const std::vector<MistakeRecord>& batch : batchesOf(c, batches))
            made += batch.size();
        EXPECT_EQ(byComputer[c].size(), made) << "computer " << c << ": lines lost";
    }
}

} // namespace zanfolio::testing
