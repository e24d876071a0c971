#pragma once
// The statistics pass: counts, points and best times per pupil and level, recomputed from the
// results file whenever the roster list, the results menu or the evaluation screen needs them.
// Nothing of it is stored.

#include "frame/clock.h"
#include "frame/levels.h"
#include "frame/result.h"
#include "results/criteria.h"
#include "results/resultsfile.h"

namespace zanfolio {

// One loaded record slot of the statistics pass.
struct RecordSlot {
    double date = 0;
    double timeOfDay = 0;
    int16_t pupil = 0;
    int16_t level = 0;
    int32_t time = 0;
};

// Pupil statistics, recomputed from the results file by every statistics pass.
struct PupilStatistics {
    LevelPupilTable<int32_t> TotalRunCounts;
    LevelPupilTable<int32_t> TotalPoints;
    LevelPupilTable<int32_t> WindowRunCounts;
    LevelPupilTable<int32_t> WindowPoints;
    LevelPupilTable<int32_t> OveruseRunCounts;
    LevelPupilTable<int32_t> OverusePoints;
    LevelPupilTable<int32_t> TodayRunCounts;
    LevelPupilTable<int32_t> TodayPoints;
    LevelPupilTable<int32_t> PersonalBestTimes; // 99999 = none
    LevelTable<int32_t> OverallBestTimes{};     // over pupils 1..1000; 99999 = none

    std::vector<RecordSlot> Slots = std::vector<RecordSlot>(kMaxLoadedRecords + 1);
    int LoadedCount = 0;
    // Records of the last pass that took no slot: a negative date, pupil 0 or level 0 (the
    // installations' own rule), or a level or pupil outside the tables.
    int SkippedCount = 0;
    int OutOfRangeCount = 0; // of those, level or pupil outside the tables

    PupilStatistics() {
        PersonalBestTimes.fill(kNoTime);
        OverallBestTimes.fill(kNoTime);
    }
};

// Loader stage: the last 20000 records into the slots, personal bests (before the validity
// test, as the installations did) and the overall bests over pupils 1..1000. Records with a
// negative date, pupil 0 or level 0 give their slot back; records whose level or pupil lies
// outside the tables are skipped and counted in Stats.OutOfRangeCount.
Status LoadResultsRecords(PupilStatistics& stats, ResultsFile& file);

// The whole pass: zeroes the tables, loads, tallies with the criteria and the present moment.
// The file is read in one call; an error (missing folder after four tries) ends the program.
Status ComputePupilStatistics(PupilStatistics& stats, const CriteriaTable& criteria,
                              ResultsFile& file, const Clock& clock);

// The tally alone, over slots already loaded (the benchmark separates the two stages).
void TallyPupilStatistics(PupilStatistics& stats, const CriteriaTable& criteria, double now,
                          double today);

// The runs `pupil` completed today on levels 1..lastLevel, from the last pass's TodayRunCounts:
// the "本日" counters. The results menu and the evaluation count every level (kMaxLevel); the
// drill's status panel has always counted levels 1 to 15 only.
int SumTodayRunCounts(const PupilStatistics& stats, int pupil, int lastLevel);

} // namespace zanfolio
