#pragma once
// Wrong answers kept on this computer: the wrong answers of every recorded run go here first and
// on to the shared mistakes file from here, so those the mistakes file cannot take (the folder
// gone, no permission, a full disk, the program closed while it waited, the power cut) stay: one
// pending file per mistakes file, beside the pending runs (see mistakesPendingFile in
// frame/datafiles.h).
//
// Kept mistakes go to the mistakes file, in order and exactly once, in one batch, ahead of the
// next batch that can be written or at the next start; the pending file is removed only after
// their append was flushed. Exactly once by what is certain, as for the runs
// (results/pendingruns.h): before the batch is written, the byte of the mistakes file where each
// line will begin is noted beside it and flushed; a kept line that comes up again with a place
// noted counts as written only when the mistakes file holds that very line at that place (the
// program never deletes from the mistakes file, nor moves what it holds). A line without a place
// was never tried; an equal line elsewhere proves nothing.
//
// The keepers and deliverers of one pending file exclude each other (results/pendinglock.h).
//
// The pending file: one line per kept wrong answer, CR LF, UTF-8 without byte order mark: the
// mistakes file's own line (its ten cells) and an eleventh cell, the place (empty: never tried),
//   2026/12/10,10:30:05,12,1,0.07,＋,3,3.07,0.1,位取り,123456
// A last line cut short (the power cut while keeping) is ignored and written over. Lines of ten
// cells were kept by an earlier version of the program, which delivered its kept lines in one
// batch and then removed its file: such lines are delivered unless that version's own rule finds
// them written (each line of the last 2000 of the mistakes file accounts for one of them).

#include "frame/result.h"
#include "frame/waiter.h"
#include "results/mistakerecord.h"
#include "results/mistakesfile.h"

#include <QString>
#include <functional>
#include <vector>

namespace zanfolio {

// A wrong answer kept on this computer, with where an append of it was last tried.
struct KeptMistake {
    static constexpr qint64 kNotTried = -1;
    static constexpr qint64 kKeptByEarlierVersion = -2;

    MistakeRecord record;
    qint64 place = kNotTried;
};

class PendingMistakes {
  public:
    explicit PendingMistakes(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The kept mistakes, oldest first (none when the file is missing).
    Result<std::vector<MistakeRecord>> load() const;
    Result<std::vector<KeptMistake>> loadKept() const;
    // Adds `batch` behind the kept mistakes and flushes it to the disk. Waits through `waiter`
    // while another instance of the program keeps or delivers.
    Status keep(const std::vector<MistakeRecord>& batch, Waiter& waiter);
    // Appends every kept mistake to the mistakes file at `mistakesPath` in one batch and then
    // removes the pending file. Returns how many were kept; on a failure they stay kept.
    // `onDelivering`, when given, is told how many are about to be written.
    Result<int> deliver(const QString& mistakesPath, Waiter& waiter,
                        const MistakeAppendHooks& hooks = {},
                        const std::function<void(int count)>& onDelivering = {});

  private:
    Status rewrite(const std::vector<KeptMistake>& kept);

    QString path_;
};

struct MistakesRecorded {
    // The mistakes file could not take the batch: it is kept on this computer and will be
    // written later.
    bool kept = false;
    QString message; // when kept: what is wrong, and that the mistakes will be recorded
};

// Records the wrong answers of a run: `batch` is kept behind the mistakes kept earlier, and all
// of them go to the mistakes file; what it cannot take stays kept. When this computer cannot
// keep the batch, it goes straight to the mistakes file. An error only when neither worked.
Result<MistakesRecorded> recordMistakes(const QString& mistakesPath, PendingMistakes& pending,
                                        const std::vector<MistakeRecord>& batch, Waiter& waiter,
                                        const MistakeAppendHooks& hooks = {});

} // namespace zanfolio
