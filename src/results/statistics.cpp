#include "results/statistics.h"

#include "frame/daycount.h"
#include "frame/points.h"

#include <algorithm>

namespace zanfolio {

Status LoadResultsRecords(PupilStatistics& s, ResultsFile& file) {
    s.PersonalBestTimes.fill(kNoTime);
    Result<ResultsTail> tail = file.readTail(kMaxLoadedRecords);
    if (!tail)
        return tail.error();

    int slot = 0;
    s.SkippedCount = 0;
    s.OutOfRangeCount = 0;
    for (const ResultsRecord& r : tail->records) {
        // Outside the tables: the installations stopped here with an error; skip and count.
        if (r.level < 0 || r.level > kMaxLevel || r.pupil < 0 || r.pupil > kMaxPupil) {
            ++s.SkippedCount;
            ++s.OutOfRangeCount;
            continue;
        }
        ++slot;
        RecordSlot& out = s.Slots[size_t(slot)];
        out.date = r.date;
        out.timeOfDay = r.timeOfDay;
        out.pupil = r.pupil;
        out.level = r.level;
        out.time = r.time;
        int32_t& best = s.PersonalBestTimes(r.level, r.pupil);
        if (best > r.time)
            best = r.time;
        if (r.date < 0 || r.pupil == 0 || r.level < 1) {
            --slot; // the next record takes this slot
            ++s.SkippedCount;
        }
    }
    s.LoadedCount = slot;

    for (int level = 1; level <= kMaxLevel; ++level) {
        int32_t best = kNoTime;
        for (int pupil = 1; pupil <= 1000; ++pupil)
            best = std::min(best, s.PersonalBestTimes(level, pupil));
        s.OverallBestTimes[size_t(level)] = best;
    }
    return Ok{};
}

void TallyPupilStatistics(PupilStatistics& s, const CriteriaTable& c, double now, double today) {
    LevelTable<double> clearDays{};
    LevelTable<double> overuseDays{};
    for (int level = 1; level <= kMaxLevel; ++level) {
        clearDays[size_t(level)] = c.ClearWindowDays[size_t(level)].toNumber();
        overuseDays[size_t(level)] = c.OveruseWindowDays[size_t(level)].toNumber();
    }
    for (int i = 1; i <= s.LoadedCount; ++i) {
        const RecordSlot& r = s.Slots[size_t(i)];
        const int L = r.level;
        const int P = r.pupil;
        if (L <= 0 || L > kMaxLevel)
            continue;
        const size_t l = size_t(L);
        const bool completed = r.time < 6000;
        if (completed)
            ++s.TotalRunCounts(L, P);
        const int pts =
            multipliedPoints(basePoints(c.StandardTime[l], r.time), c.PointMultiplier[l]);
        if (inDayWindow(r.date, now, clearDays[l])) {
            if (completed)
                ++s.WindowRunCounts(L, P);
            addPoints(s.WindowPoints(L, P), pts);
        }
        if (inDayWindow(r.date, now, overuseDays[l])) {
            if (completed)
                ++s.OveruseRunCounts(L, P);
            addPoints(s.OverusePoints(L, P), pts);
        }
        addPoints(s.TotalPoints(L, P), pts);
        if (r.date == today) {
            if (completed)
                ++s.TodayRunCounts(L, P);
            addPoints(s.TodayPoints(L, P), pts);
        }
    }
}

Status ComputePupilStatistics(PupilStatistics& s, const CriteriaTable& criteria, ResultsFile& file,
                              const Clock& clock) {
    for (auto* table : {&s.TotalRunCounts, &s.TotalPoints, &s.WindowRunCounts, &s.WindowPoints,
                        &s.OveruseRunCounts, &s.OverusePoints, &s.TodayRunCounts, &s.TodayPoints})
        table->fill(0);
    Status loaded = LoadResultsRecords(s, file);
    if (!loaded)
        return loaded;
    const QDateTime now = clock.now();
    TallyPupilStatistics(s, criteria, presentMoment(now), dayCount(now.date()));
    return Ok{};
}

int SumTodayRunCounts(const PupilStatistics& stats, int pupil, int lastLevel) {
    int total = 0;
    for (int level = 1; level <= lastLevel; ++level)
        total += stats.TodayRunCounts(level, pupil);
    return total;
}

} // namespace zanfolio
