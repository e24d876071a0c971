// The statistics pass on results files of 1000 and 25000 records, beside a baseline that reads
// the same file one record per read call (as a record-at-a-time reader would, which on a
// networked data folder costs one round trip per record).

#include "app/sharedstate.h"
#include "frame/daycount.h"
#include "frame/platformfile.h"
#include "results/resultsfile.h"
#include "results/statistics.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

using namespace zanfolio;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0));

struct Fixture {
    explicit Fixture(int records) {
        path = dir.path() + QStringLiteral("/成績累積データ.dat");
        std::mt19937 random{unsigned(records)};
        QByteArray bytes;
        const double today = dayCount(kNow.date());
        for (int i = 0; i < records; ++i) {
            ResultsRecord r;
            r.date = today - (records - i) / 200;
            r.timeOfDay = 0.5;
            r.pupil = int16_t(1 + random() % 300);
            r.level = int16_t(1 + random() % 5);
            r.time = int32_t(20 + random() % 200);
            bytes += r.encode();
        }
        (void)replaceFileAtomically(path, bytes);
        for (int level = 1; level <= 5; ++level) {
            state->Criteria.StandardTime[size_t(level)] = 40;
            state->Criteria.PointMultiplier[size_t(level)] = 1;
            state->Criteria.ClearWindowDays[size_t(level)] = 7;
            state->Criteria.OveruseWindowDays[size_t(level)] = 3;
        }
    }
    QTemporaryDir dir;
    QString path;
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    FixedClock clock{kNow};
    SleepingWaiter waiter;
};

void BM_StatisticsPass(benchmark::State& st) {
    Fixture f(int(st.range(0)));
    ResultsFile file(f.path, f.waiter);
    for (auto _ : st) {
        if (!ComputePupilStatistics(f.state->Stats, f.state->Criteria, file, f.clock).ok())
            st.SkipWithError("statistics pass failed");
        benchmark::DoNotOptimize(f.state->Stats.TotalPoints(1, 1));
    }
    // The loader's own read: one call for the whole tail.
    st.counters["read_calls"] = file.readTail(kMaxLoadedRecords)->readCalls;
    st.counters["loaded"] = f.state->Stats.LoadedCount;
}

// The same pass with the loader replaced by one positioned read per record.
void BM_PerRecordReadBaseline(benchmark::State& st) {
    Fixture f(int(st.range(0)));
    int readCalls = 0;
    for (auto _ : st) {
        PupilStatistics& s = f.state->Stats;
        for (auto* t : {&s.TotalRunCounts, &s.TotalPoints, &s.WindowRunCounts, &s.WindowPoints,
                        &s.OveruseRunCounts, &s.OverusePoints, &s.TodayRunCounts, &s.TodayPoints})
            t->fill(0);
        s.PersonalBestTimes.fill(kNoTime);
        Result<PlatformFile> file = PlatformFile::open(f.path, PlatformFile::Mode::Read);
        const qint64 count = *file->size() / ResultsRecord::kSize;
        const qint64 first = std::max<qint64>(0, count - kMaxLoadedRecords);
        int slot = 0;
        for (qint64 n = first; n < count; ++n) {
            Result<QByteArray> bytes = file->readAt(n * ResultsRecord::kSize, ResultsRecord::kSize);
            const ResultsRecord r = ResultsRecord::decode(bytes->constData());
            RecordSlot& out = s.Slots[size_t(++slot)];
            out = RecordSlot{r.date, r.timeOfDay, r.pupil, r.level, r.time};
            int32_t& best = s.PersonalBestTimes(r.level, r.pupil);
            best = std::min(best, r.time);
        }
        s.LoadedCount = slot;
        readCalls = file->readCalls();
        TallyPupilStatistics(f.state->Stats, f.state->Criteria, presentMoment(kNow),
                             dayCount(kNow.date()));
        benchmark::DoNotOptimize(s.TotalPoints(1, 1));
    }
    st.counters["read_calls"] = readCalls;
}

} // namespace

BENCHMARK(BM_StatisticsPass)->Arg(1000)->Arg(25000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PerRecordReadBaseline)->Arg(1000)->Arg(25000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
