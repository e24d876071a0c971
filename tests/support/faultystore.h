#pragma once
// A results store that plays the faults a test asks for and hands everything else on to the
// store it wraps (the test installation's shared folder, usually).

#include "results/resultsstore.h"

#include <optional>

namespace zanfolio::testing {

class FaultyStore final : public ResultsStoreWrapper {
  public:
    using ResultsStoreWrapper::ResultsStoreWrapper;

    // When set, the run's record comes out so instead of reaching the store.
    std::optional<Result<RunRecorded>> recordRunGives;
    // When set, a batch of wrong answers, or of answers, is neither written nor kept.
    std::optional<Error> mistakesFail;
    std::optional<Error> answersFail;

    Result<RunRecorded> recordRun(const RunToRecord& run, const CriteriaTable& criteria,
                                  PupilStatistics& stats, RunOutcome& outcome, Waiter& waiter,
                                  const Clock& clock,
                                  std::function<void(const Error&)> retrying) override {
        if (recordRunGives)
            return *recordRunGives;
        return ResultsStoreWrapper::recordRun(run, criteria, stats, outcome, waiter, clock,
                                              std::move(retrying));
    }
    Status recordMistakes(const std::vector<MistakeRecord>& batch, bool runWritten,
                          Waiter& waiter) override {
        if (mistakesFail && !batch.empty())
            return *mistakesFail;
        return ResultsStoreWrapper::recordMistakes(batch, runWritten, waiter);
    }
    Status recordAnswers(const std::vector<AnswerRecord>& batch, bool runWritten,
                         Waiter& waiter) override {
        if (answersFail && !batch.empty())
            return *answersFail;
        return ResultsStoreWrapper::recordAnswers(batch, runWritten, waiter);
    }
};

} // namespace zanfolio::testing
