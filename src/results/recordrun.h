#pragma once
// Recording a run: the record written at the end of every non-practice run, with the best
// times and the outcome flags that the evaluation screen reads.

#include "frame/clock.h"
#include "frame/result.h"
#include "frame/sharedstate.h"
#include "results/pendingruns.h"
#include "results/resultsfile.h"

namespace zanfolio {

// The record for the current pupil, level and RecordedTime, dated now.
ResultsRecord makeRunRecord(const SharedState& state, const QDateTime& now);

// Appends one record for the current pupil with `level` and `seconds` (the run's recorded
// time), dated at the moment of writing. Retries until written (see ResultsFile::append).
Status AppendResultsRecord(const SharedState& state, ResultsFile& file, const Clock& clock);

struct RunRecorded {
    // The results file could not take the run (for a reason other than another computer's
    // lock, which is waited out): it is kept on this computer and will be recorded later.
    bool kept = false;
    QString message; // when kept: what is wrong, and that the run will be recorded
};

// ClearedBefore from the last statistics pass, NewPersonalBest / NewOverallBest (strictly
// better times only; set, never cleared here), and the record: kept on this computer behind
// the runs kept earlier, then delivered with them (results/pendingruns.h); what the results
// file cannot take stays kept. When this computer cannot keep it, it is appended straight to
// the results file. An error only when neither worked.
Result<RunRecorded> RecordRun(SharedState& state, int level, ResultsFile& file,
                              PendingRuns& pending, const Clock& clock);

// The pupil's message about a run kept on this computer, with what went wrong.
QString keptRunMessage(const Error& why);

// The notice while the record waits for the results file, saying what is wrong: another
// computer using it, the folder gone, no permission to write, or another fault.
QString recordWaitNotice(const Error& why);

} // namespace zanfolio
