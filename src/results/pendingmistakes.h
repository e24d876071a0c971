#pragma once
// Wrong answers kept on this computer (results/pendinglines.h): the wrong answers of every
// recorded run go here first and on to the shared mistakes file from here; one pending file per
// mistakes file, beside the pending runs (see mistakesPendingFile in frame/datafiles.h).
//
// The pending file: the mistakes file's own line (its ten cells) and an eleventh cell, the place
// (empty: never tried),
//   2026/12/10,10:30:05,12,1,0.07,＋,3,3.07,0.1,位取り,123456
// Lines of ten cells were kept by an earlier version of the program, which delivered its kept
// lines in one batch and then removed its file: such lines are delivered unless that version's
// own rule finds them written (each line of the last 2000 of the mistakes file accounts for one
// of them).

#include "frame/result.h"
#include "frame/waiter.h"
#include "results/mistakerecord.h"
#include "results/mistakesfile.h"
#include "results/pendinglines.h"

#include <QString>
#include <vector>

namespace zanfolio {

// The lines of the mistakes file, as PendingLines keeps them.
struct MistakeLines {
    using Record = MistakeRecord;
    static constexpr int kCells = 10;
    static constexpr bool kEarlierVersion = true;
    static AppendedFile file() { return mistakesAppendedFile(); }
    static QByteArray line(const MistakeRecord& r) { return mistakeLine(r); }
    static std::optional<MistakeRecord> fromCells(const QStringList& cells) {
        return mistakeFromCells(cells);
    }
    static std::vector<MistakeRecord> parse(const QByteArray& bytes) {
        return parseMistakes(bytes).records;
    }
};

using KeptMistake = KeptLine<MistakeRecord>;
using PendingMistakes = PendingLines<MistakeLines>;
using MistakesRecorded = LinesRecorded;

// Records the wrong answers of a run (recordLines): `batch` is kept behind the mistakes kept
// earlier, and all of them go to the mistakes file; what it cannot take stays kept.
Result<MistakesRecorded> recordMistakes(const QString& mistakesPath, PendingMistakes& pending,
                                        const std::vector<MistakeRecord>& batch, Waiter& waiter,
                                        const MistakeAppendHooks& hooks = {});

} // namespace zanfolio
