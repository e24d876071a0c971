#pragma once
// Wrong answers kept on this computer because the shared mistakes file could not take them
// (the folder gone, no permission, a full disk, the program closed while it waited): their
// lines in the mistakes file's own format (without byte order mark and heading), one pending
// file per mistakes file, beside the pending runs (see mistakesPendingFile in
// frame/datafiles.h).
//
// Kept mistakes go to the mistakes file, in order and exactly once, ahead of the next batch
// that can be written or at the next start. The pending file is removed only after their
// append was flushed; kept mistakes that are already among the last lines of the mistakes file
// (their append went through just before this computer went down) are not appended again.

#include "frame/result.h"
#include "frame/waiter.h"
#include "results/mistakerecord.h"
#include "results/mistakesfile.h"

#include <QString>
#include <vector>

namespace zanfolio {

class PendingMistakes {
  public:
    explicit PendingMistakes(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The kept mistakes, oldest first (none when the file is missing); a torn last line, left
    // by a power cut while keeping, is ignored.
    Result<std::vector<MistakeRecord>> load() const;
    // Adds `batch` behind the kept mistakes and flushes it to the disk.
    Status keep(const std::vector<MistakeRecord>& batch);
    // Appends every kept mistake to the mistakes file at `mistakesPath` in one batch and then
    // removes the pending file. Returns how many were kept; on a failure they stay kept.
    Result<int> deliver(const QString& mistakesPath, Waiter& waiter,
                        const MistakeAppendHooks& hooks = {});

  private:
    QString path_;
};

struct MistakesRecorded {
    // The mistakes file could not take the batch: it is kept on this computer and will be
    // written later.
    bool kept = false;
    QString message; // when kept: what is wrong, and that the mistakes will be recorded
};

// Records the wrong answers of a run: mistakes kept earlier go first, then `batch`; when
// either cannot be appended, `batch` is kept behind the others. An error only when even
// keeping it failed.
Result<MistakesRecorded> recordMistakes(const QString& mistakesPath, PendingMistakes& pending,
                                        const std::vector<MistakeRecord>& batch, Waiter& waiter,
                                        const MistakeAppendHooks& hooks = {});

} // namespace zanfolio
