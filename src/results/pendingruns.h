#pragma once
// Runs kept on this computer because the shared results file could not take them (the
// folder gone, no permission, a full disk, the program closed while it waited): a file of
// 44-byte records in the results file's own format, one pending file per results file, in
// the user's local application data (see pendingRunsFile in frame/datafiles.h).
//
// A kept run is appended to the results file, oldest first and exactly once, as soon as an
// append succeeds again or at the next start. A record leaves the pending file only after its
// append was flushed; a record that is already among the last records of the results file
// (its append went through just before this computer went down) is not appended again.

#include "frame/result.h"
#include "results/resultsfile.h"
#include "results/resultsrecord.h"

#include <QString>
#include <vector>

namespace zanfolio {

class PendingRuns {
  public:
    explicit PendingRuns(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The kept records, oldest first (none when the file is missing); a torn last record,
    // left by a power cut while keeping it, is ignored.
    Result<std::vector<ResultsRecord>> load() const;
    // Adds `record` behind the others and flushes it to the disk.
    Status keep(const ResultsRecord& record);
    // Appends every kept record to `file`, oldest first, removing each from the pending file
    // once its append was flushed. Returns how many were delivered; on a failure the records
    // not yet delivered stay kept.
    Result<int> deliver(ResultsFile& file);

  private:
    Status rewrite(const std::vector<ResultsRecord>& records);

    QString path_;
};

} // namespace zanfolio
