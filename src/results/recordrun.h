#pragma once
// Recording a run: the record written at the end of every non-practice run, with the best
// times and the outcome flags that the evaluation screen reads.

#include "frame/clock.h"
#include "frame/result.h"
#include "frame/sharedstate.h"
#include "results/resultsfile.h"

namespace zanfolio {

// The record for the current pupil, level and RecordedTime, dated now.
ResultsRecord makeRunRecord(const SharedState& state, const QDateTime& now);

// Appends one record for the current pupil with `level` and `seconds` (the run's recorded
// time), dated at the moment of writing. Retries until written (see ResultsFile::append).
Status AppendResultsRecord(const SharedState& state, ResultsFile& file, const Clock& clock);

// ClearedBefore from the last statistics pass, NewPersonalBest / NewOverallBest (strictly
// better times only; set, never cleared here), and the append.
Status RecordRun(SharedState& state, int level, ResultsFile& file, const Clock& clock);

} // namespace zanfolio
