#pragma once
// Recording a run: the record written at the end of every non-practice run, with the best
// times and the outcome flags that the evaluation screen reads.

#include "frame/clock.h"
#include "frame/result.h"
#include "frame/untyped.h"
#include "results/criteria.h"
#include "results/pendingruns.h"
#include "results/resultsfile.h"
#include "results/statistics.h"

namespace zanfolio {

// What the end of a run leaves for the evaluation screen and the menus: the drill sets
// TimedOut and RecordedTime, the record writer the outcome flags, the evaluation
// TodayRunTotal.
struct RunOutcome {
    int TimedOut = 0;
    int RecordedTime = 0;
    int TodayRunTotal = 0;
    int ClearedBefore = 0;
    int NewPersonalBest = 0;
    int NewOverallBest = 0;
};

// A run to record: the pupil, the level, the recorded time (99999 after a time-out) and the
// school's code from the settings.
struct RunToRecord {
    int pupil = 0;
    int level = 0;
    int time = 0;
    Untyped schoolCode;
};

// The record of `run`, dated now.
ResultsRecord makeRunRecord(const RunToRecord& run, const QDateTime& now);

// Appends the record of `run`, dated at the moment of writing. Retries until written (see
// ResultsFile::append).
Status AppendResultsRecord(const RunToRecord& run, ResultsFile& file, const Clock& clock);

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
Result<RunRecorded> RecordRun(const RunToRecord& run, const CriteriaTable& criteria,
                              PupilStatistics& stats, RunOutcome& outcome, ResultsFile& file,
                              PendingRuns& pending, const Clock& clock);

// The pupil's message about a run kept on this computer, with what went wrong.
QString keptRunMessage(const Error& why);

// The notice while the record waits for the results file, saying what is wrong: another
// computer using it, the folder gone, no permission to write, or another fault.
QString recordWaitNotice(const Error& why);

} // namespace zanfolio
