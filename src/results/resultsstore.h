#pragma once
// The records of the shared folder as the screens use them: the results file, the mistakes and
// answers side files, and what this computer keeps for them while the share cannot take them.
// The screens reach them only through this port; the program's store is the shared folder of
// its installation, and tests hand a fake or wrap the real one to play faults.

#include "frame/clock.h"
#include "frame/installation.h"
#include "frame/result.h"
#include "frame/waiter.h"
#include "results/answerrecord.h"
#include "results/criteria.h"
#include "results/mistakerecord.h"
#include "results/pendingruns.h"
#include "results/recordrun.h"
#include "results/resultsfile.h"
#include "results/statistics.h"

#include <functional>
#include <vector>

namespace zanfolio {

class ResultsStore {
  public:
    virtual ~ResultsStore() = default;

    // The results file, read and changed through `waiter` (another computer's lock is waited
    // out there).
    virtual ResultsFile results(Waiter& waiter) = 0;

    // A run's record (RecordRun): kept on this computer first, then delivered with the runs
    // kept earlier. `retrying`, when set, is told what keeps the record waiting.
    virtual Result<RunRecorded> recordRun(const RunToRecord& run, const CriteriaTable& criteria,
                                          PupilStatistics& stats, RunOutcome& outcome,
                                          Waiter& waiter, const Clock& clock,
                                          std::function<void(const Error&)> retrying) = 0;

    // A run's wrong answers and its answers: to the side files, ahead of them what was kept
    // before, when the run was written (`runWritten`); otherwise kept on this computer beside
    // the run without a second wait on the share. What a side file cannot take stays kept; an
    // error only when a batch could be neither written nor kept.
    virtual Status recordMistakes(const std::vector<MistakeRecord>& batch, bool runWritten,
                                  Waiter& waiter) = 0;
    virtual Status recordAnswers(const std::vector<AnswerRecord>& batch, bool runWritten,
                                 Waiter& waiter) = 0;

    // At start-up, what this computer kept, delivered; what the share still cannot take stays
    // kept. The mistakes' and answers' `delivering` is told how many are about to go.
    virtual Result<int> deliverKeptRuns(Waiter& waiter, const DeliveryProgress& progress) = 0;
    virtual Result<int> deliverKeptMistakes(Waiter& waiter,
                                            const std::function<void(int)>& delivering) = 0;
    virtual Result<int> deliverKeptAnswers(Waiter& waiter,
                                           const std::function<void(int)>& delivering) = 0;
};

// The installation's shared folder and this computer's pending folder (frame/datafiles.h),
// as the installation names them when each operation runs.
class SharedFolderStore final : public ResultsStore {
  public:
    explicit SharedFolderStore(const Installation& installation) : installation_(installation) {}

    ResultsFile results(Waiter& waiter) override;
    Result<RunRecorded> recordRun(const RunToRecord& run, const CriteriaTable& criteria,
                                  PupilStatistics& stats, RunOutcome& outcome, Waiter& waiter,
                                  const Clock& clock,
                                  std::function<void(const Error&)> retrying) override;
    Status recordMistakes(const std::vector<MistakeRecord>& batch, bool runWritten,
                          Waiter& waiter) override;
    Status recordAnswers(const std::vector<AnswerRecord>& batch, bool runWritten,
                         Waiter& waiter) override;
    Result<int> deliverKeptRuns(Waiter& waiter, const DeliveryProgress& progress) override;
    Result<int> deliverKeptMistakes(Waiter& waiter,
                                    const std::function<void(int)>& delivering) override;
    Result<int> deliverKeptAnswers(Waiter& waiter,
                                   const std::function<void(int)>& delivering) override;

  private:
    const Installation& installation_;
};

// Hands every operation on to another store; a wrapper overrides the ones it changes (a test's
// faults, say).
class ResultsStoreWrapper : public ResultsStore {
  public:
    explicit ResultsStoreWrapper(ResultsStore& target) : target_(target) {}

    ResultsFile results(Waiter& waiter) override { return target_.results(waiter); }
    Result<RunRecorded> recordRun(const RunToRecord& run, const CriteriaTable& criteria,
                                  PupilStatistics& stats, RunOutcome& outcome, Waiter& waiter,
                                  const Clock& clock,
                                  std::function<void(const Error&)> retrying) override {
        return target_.recordRun(run, criteria, stats, outcome, waiter, clock, std::move(retrying));
    }
    Status recordMistakes(const std::vector<MistakeRecord>& batch, bool runWritten,
                          Waiter& waiter) override {
        return target_.recordMistakes(batch, runWritten, waiter);
    }
    Status recordAnswers(const std::vector<AnswerRecord>& batch, bool runWritten,
                         Waiter& waiter) override {
        return target_.recordAnswers(batch, runWritten, waiter);
    }
    Result<int> deliverKeptRuns(Waiter& waiter, const DeliveryProgress& progress) override {
        return target_.deliverKeptRuns(waiter, progress);
    }
    Result<int> deliverKeptMistakes(Waiter& waiter,
                                    const std::function<void(int)>& delivering) override {
        return target_.deliverKeptMistakes(waiter, delivering);
    }
    Result<int> deliverKeptAnswers(Waiter& waiter,
                                   const std::function<void(int)>& delivering) override {
        return target_.deliverKeptAnswers(waiter, delivering);
    }

  protected:
    ResultsStore& target_;
};

} // namespace zanfolio
