#include "results/resultsstore.h"

#include "frame/datafiles.h"
#include "results/answersfile.h"
#include "results/pendingmistakes.h"

namespace zanfolio {

ResultsFile SharedFolderStore::results(Waiter& waiter) {
    return ResultsFile(resultsFile(installation_), waiter);
}

Result<RunRecorded> SharedFolderStore::recordRun(const RunToRecord& run,
                                                 const CriteriaTable& criteria,
                                                 PupilStatistics& stats, RunOutcome& outcome,
                                                 Waiter& waiter, const Clock& clock,
                                                 std::function<void(const Error&)> retrying) {
    ResultsFile file(resultsFile(installation_), waiter);
    if (retrying)
        file.setRetryObserver(std::move(retrying));
    PendingRuns pending(pendingRunsFile(installation_));
    return RecordRun(run, criteria, stats, outcome, file, pending, clock);
}

Status SharedFolderStore::recordMistakes(const std::vector<MistakeRecord>& batch, bool runWritten,
                                         Waiter& waiter) {
    if (batch.empty())
        return Ok{};
    PendingMistakes pending(mistakesPendingFile(installation_));
    if (!runWritten)
        return pending.keep(batch, waiter);
    Result<MistakesRecorded> recorded =
        zanfolio::recordMistakes(mistakesFile(installation_), pending, batch, waiter);
    if (!recorded)
        return recorded.error();
    return Ok{};
}

Status SharedFolderStore::recordAnswers(const std::vector<AnswerRecord>& batch, bool runWritten,
                                        Waiter& waiter) {
    if (batch.empty())
        return Ok{};
    PendingAnswers pending(answersPendingFile(installation_));
    if (!runWritten)
        return pending.keep(batch, waiter);
    Result<LinesRecorded> recorded =
        zanfolio::recordAnswers(answersFile(installation_), pending, batch, waiter);
    if (!recorded)
        return recorded.error();
    return Ok{};
}

Result<int> SharedFolderStore::deliverKeptRuns(Waiter& waiter, const DeliveryProgress& progress) {
    PendingRuns pending(pendingRunsFile(installation_));
    ResultsFile file(resultsFile(installation_), waiter);
    return pending.deliver(file, progress);
}

Result<int> SharedFolderStore::deliverKeptMistakes(Waiter& waiter,
                                                   const std::function<void(int)>& delivering) {
    PendingMistakes pending(mistakesPendingFile(installation_));
    return pending.deliver(mistakesFile(installation_), waiter, {}, delivering);
}

Result<int> SharedFolderStore::deliverKeptAnswers(Waiter& waiter,
                                                  const std::function<void(int)>& delivering) {
    PendingAnswers pending(answersPendingFile(installation_));
    return pending.deliver(answersFile(installation_), waiter, {}, delivering);
}

} // namespace zanfolio
