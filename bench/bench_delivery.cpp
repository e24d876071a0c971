// Delivering what this computer kept: 300 and 3000 kept runs into a results file of 20000
// records, and 3000 kept wrong answers into a mistakes file of 20000 lines, as the splash does
// at the start; and reading a mistakes file with one odd region (a row of 10000 cells, then
// 15000 lines), as the teacher panels and the delivery do. One iteration each: the figures are
// the time of one whole delivery or read, on the disk that holds the temporary folder.

#include "frame/platformfile.h"
#include "frame/waiter.h"
#include "results/mistakesfile.h"
#include "results/pendingmistakes.h"
#include "results/pendingruns.h"
#include "results/resultsfile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zanfolio;

namespace {

ResultsRecord benchRecord(int pupil, int level, int time, double timeOfDay) {
    ResultsRecord r;
    r.date = 46365;
    r.timeOfDay = timeOfDay;
    r.pupil = int16_t(pupil);
    r.level = int16_t(level);
    r.time = time;
    return r;
}

MistakeRecord benchMistake(int pupil, int n) {
    MistakeRecord r;
    r.date = QDate(2026, 12, 10);
    r.time = QTime(10, 0).addSecs(n % 30000);
    r.pupil = pupil;
    r.level = 1 + n % 5;
    r.first = QStringLiteral("0.07");
    r.sign = QStringLiteral("＋");
    r.second = QStringLiteral("3");
    r.answer = QStringLiteral("3.07");
    r.typed = QStringLiteral("%1.%2").arg(n / 100).arg(n % 100);
    r.kind = kMistakeKinds[size_t(n % 8)];
    return r;
}

// A results file of 20000 records, and `kept` runs kept on this computer (written as the
// runs' own 44-byte records, the form every version of the program reads).
void BM_DeliverKeptRuns(benchmark::State& st) {
    const int kept = int(st.range(0));
    for (auto _ : st) {
        st.PauseTiming();
        QTemporaryDir dir;
        const QString results = dir.filePath(QStringLiteral("成績累積データ.dat"));
        const QString pendingPath = dir.filePath(QStringLiteral("未記録の成績-0.dat"));
        QByteArray shared;
        for (int i = 0; i < 20000; ++i)
            shared += benchRecord(1 + i % 300, 1 + i % 5, 20 + i % 200, 0.3).encode();
        QByteArray local;
        for (int i = 0; i < kept; ++i)
            local += benchRecord(12, 1 + i % 5, 30 + i % 100, 0.4 + i * 1e-6).encode();
        (void)replaceFileAtomically(results, shared);
        (void)replaceFileAtomically(pendingPath, local);
        SleepingWaiter waiter(100);
        ResultsFile file(results, waiter);
        PendingRuns pending(pendingPath);
        st.ResumeTiming();
        Result<int> delivered = pending.deliver(file);
        if (!delivered || *delivered != kept)
            st.SkipWithError("delivery failed");
    }
}

void BM_DeliverKeptMistakes(benchmark::State& st) {
    const int kept = int(st.range(0));
    for (auto _ : st) {
        st.PauseTiming();
        QTemporaryDir dir;
        const QString mistakes = dir.filePath(QStringLiteral("誤答記録.csv"));
        const QString pendingPath = dir.filePath(QStringLiteral("未記録の誤答-0.csv"));
        std::vector<MistakeRecord> shared;
        for (int i = 0; i < 20000; ++i)
            shared.push_back(benchMistake(1 + i % 300, i));
        QByteArray local;
        for (int i = 0; i < kept; ++i)
            local += mistakeLine(benchMistake(12, 50000 + i));
        SleepingWaiter waiter(100);
        (void)appendMistakes(mistakes, shared, waiter);
        (void)replaceFileAtomically(pendingPath, local);
        PendingMistakes pending(pendingPath);
        st.ResumeTiming();
        Result<int> delivered = pending.deliver(mistakes, waiter);
        if (!delivered || *delivered != kept)
            st.SkipWithError("delivery failed");
    }
}

// A mistakes file with one odd region: a row of `cells` cells, then 15000 ordinary lines.
void BM_ReadMistakesAfterAWideRow(benchmark::State& st) {
    const int cells = int(st.range(0));
    QByteArray text = "\xEF\xBB\xBF" + (mistakesHeading() + QStringLiteral("\r\n")).toUtf8();
    text += QByteArray(cells - 1, ',') + "\r\n";
    for (int i = 0; i < 15000; ++i)
        text += mistakeLine(benchMistake(1 + i % 300, i));
    for (auto _ : st) {
        const MistakesRead read = parseMistakes(text);
        if (read.records.size() != 15000)
            st.SkipWithError("lines lost");
        benchmark::DoNotOptimize(read.records.data());
    }
    st.counters["bytes"] = double(text.size());
}

} // namespace

BENCHMARK(BM_DeliverKeptRuns)->Arg(300)->Arg(3000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeliverKeptMistakes)->Arg(3000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMistakesAfterAWideRow)
    ->Arg(10)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
