#pragma once
// Runs kept on this computer: every run goes here first and on to the shared results file from
// here, so a run the results file cannot take (the folder gone, no permission, a full disk, the
// program closed while it waited, the power cut) stays: one pending file per results file, in
// the user's local application data (see pendingRunsFile in frame/datafiles.h).
//
// Kept runs are appended to the results file oldest first, in batches (one lock and one write
// for up to `batch` records), as soon as an append succeeds again or at the next start; a run
// leaves the pending file only once its batch is flushed. Exactly once, by what is certain:
// before a batch is written, the place where each of its records will begin in the results file
// (the file's length then) and the number of changes in its change log (results/changelog.h)
// are noted beside the record and flushed. A record that comes up again with a place noted
// (the power cut after its write, before the pending file was rewritten) counts as delivered
// only when the results file holds it at that place, followed through the deletes and
// corrections made since, or when it was deleted from there since; otherwise it is written
// again. A record without a place was never tried. An equal record elsewhere in the file (two
// computers that record the same pupil entry, level, time and second) proves nothing, and is
// not looked for.
//
// The keepers and deliverers of one pending file exclude each other (results/pendinglock.h).
//
// The pending file: a 16-byte heading "Zanfolio kept 2\n", then 64 bytes per kept run,
// little-endian:
//
//   offset size  field
//    0     44    the run's record, as the results file takes it (results/resultsrecord.h)
//   44      4    zero
//   48      8    place    byte of the results file where its last tried append would begin;
//                         -1: no append of it tried; -2: see below
//   56      8    changes  the number of entries in the change log at that try
//
// A last entry cut short (the power cut while keeping) is ignored and written over. A pending
// file without the heading was kept by an earlier version of the program: 44-byte records
// only. Its runs are delivered all the same; that version appended them one at a time, so only
// its oldest run may have reached the file before it stopped (-2): that one is looked for as
// that version did, among the last 2000 records of the results file. Such a file is rewritten
// in this format by the first keep or delivery.

#include "frame/result.h"
#include "frame/waiter.h"
#include "results/resultsfile.h"
#include "results/resultsrecord.h"

#include <QString>
#include <functional>
#include <vector>

namespace zanfolio {

// A run kept on this computer, with where an append of it was last tried.
struct KeptRun {
    static constexpr qint64 kNotTried = -1;
    static constexpr qint64 kKeptByEarlierVersion = -2;

    ResultsRecord record;
    qint64 place = kNotTried;
    qint64 changes = 0;
};

struct DeliveryProgress {
    int batch = 500; // records written at a time
    // Called before the first batch and after each one with how many were delivered of how
    // many; returning false stops the delivery there (what is not delivered stays kept).
    std::function<bool(int delivered, int total)> onBatch;
};

class PendingRuns {
  public:
    explicit PendingRuns(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The kept records, oldest first (none when the file is missing).
    Result<std::vector<ResultsRecord>> load() const;
    Result<std::vector<KeptRun>> loadKept() const;
    // Adds `record` behind the others and flushes it to the disk. Waits through `waiter` while
    // another instance of the program keeps or delivers.
    Status keep(const ResultsRecord& record, Waiter& waiter);
    // Appends every kept record to `file`, oldest first, in batches; each batch leaves the
    // pending file once flushed. Returns how many were delivered (also when `progress` stopped
    // it); on a failure the records not yet delivered stay kept. Waits through the file's
    // waiter while another instance keeps or delivers.
    Result<int> deliver(ResultsFile& file, const DeliveryProgress& progress = {});

  private:
    Status rewrite(const std::vector<KeptRun>& kept);
    Status deliverBatch(ResultsFile& file, std::vector<KeptRun>& kept, size_t count);

    QString path_;
};

} // namespace zanfolio
