#pragma once
// The statistics pass: counts, points and best times per pupil and level, recomputed from the
// results file whenever the roster list, the results menu or the evaluation screen needs them.
// Nothing of it is stored.

#include "frame/clock.h"
#include "frame/result.h"
#include "frame/sharedstate.h"
#include "results/resultsfile.h"

namespace zanfolio {

// Loader stage: the last 20000 records into the slots, personal bests (before the validity
// test, as the installations did) and the overall bests over pupils 1..1000. Records with a
// negative date, pupil 0 or level 0 give their slot back; records whose level or pupil lies
// outside the tables are skipped and counted in Stats.OutOfRangeCount.
Status LoadResultsRecords(SharedState& state, ResultsFile& file);

// The whole pass: zeroes the tables, loads, tallies with the criteria and the present moment.
// The file is read in one call; an error (missing folder after four tries) ends the program.
Status ComputePupilStatistics(SharedState& state, ResultsFile& file, const Clock& clock);

// The tally alone, over slots already loaded (the benchmark separates the two stages).
void TallyPupilStatistics(SharedState& state, double now, double today);

// The runs `pupil` completed today on levels 1..lastLevel, from the last pass's TodayRunCounts:
// the "本日" counters. The results menu and the evaluation count every level (kMaxLevel); the
// drill's status panel has always counted levels 1 to 15 only.
int SumTodayRunCounts(const PupilStatistics& stats, int pupil, int lastLevel);

} // namespace zanfolio
