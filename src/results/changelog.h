#pragma once
// "成績累積データ変更記録.dat" beside the results file: every change this program makes to a
// record already in the results file (the records browser's delete and correction), in order.
// With it a computer that kept a run can still tell, later, whether an append of the run that
// it tried reached the file, and where the record stands now (see results/pendingruns.h).
// Appends do not change it; it is made by the first delete or correction.
//
// A plain sequence of 112-byte entries, little-endian, no header:
//
//   offset size  field
//    0      4    kind     1 = a record deleted, 2 = a record corrected in place
//    4      4    state    0 = begun, 1 = done, 2 = did not happen
//    8      4    number   the record's number (from 1) when it was changed
//   12      4    zero
//   16      8    length   the results file's length in bytes just before the change
//   24     44    before   the record as it was
//   68     44    after    the record as corrected; zero bytes for a delete
//
// An entry is written (begun) and flushed before its change and marked done, or as not having
// happened, after it, while the writer holds the results file's lock and the log's own lock (one
// byte far beyond the end of the log, so that reading the log is never refused). A writer that
// finds the last entry still begun (its writer stopped in between) settles it from the results
// file, which nobody has changed since, since every writer of this program takes the log's lock
// before it writes: the delete went through when the file is now shorter than `length`, the
// correction when the record holds `after`.

#include "frame/platformfile.h"
#include "frame/result.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace zanfolio {

struct RecordChange {
    static constexpr int kSize = 112;
    enum class Kind : int32_t { Deleted = 1, Corrected = 2 };
    enum class State : int32_t { Begun = 0, Done = 1, NotDone = 2 };

    Kind kind = Kind::Deleted;
    State state = State::Begun;
    int32_t number = 0;
    qint64 lengthBefore = 0;
    QByteArray before; // 44 bytes
    QByteArray after;  // 44 bytes; zero bytes for a delete

    QByteArray encode() const;
    // `bytes` must hold kSize bytes.
    static RecordChange decode(const char* bytes);
};

// What became of a record whose append was tried at byte `place` of the results file, followed
// through the changes made since (in order, those done only).
struct FollowedRecord {
    enum class Outcome {
        LookThere, // it is at `place` holding `expected`, if the append went through
        Deleted,   // it reached the file and has been deleted since
        NotThere,  // the record at its place was another one: the append did not go through
    };
    Outcome outcome = Outcome::LookThere;
    qint64 place = 0;
    QByteArray expected;
};
FollowedRecord followChanges(qint64 place, const QByteArray& record,
                             const std::vector<RecordChange>& since);

class ChangeLog {
  public:
    // Takes the log at `path` for a writer that holds the lock of the results file `results`,
    // trying its lock once: Sharing while another computer holds it. A last entry left begun is
    // settled. `create`: a writer that changes records makes the log when it is missing; one that
    // only appends finds no log (no change made yet: none to follow) and takes no lock.
    // `lock` off only where the results file itself is written without its lock (by hand).
    static Result<ChangeLog> take(const QString& path, PlatformFile& results, bool create,
                                  bool lock = true);

    ChangeLog(ChangeLog&& other) noexcept
        : file_(std::move(other.file_)), count_(other.count_),
          locked_(std::exchange(other.locked_, false)) {}
    ChangeLog& operator=(ChangeLog&& other) = delete;
    ChangeLog(const ChangeLog&) = delete;
    ChangeLog& operator=(const ChangeLog&) = delete;
    ~ChangeLog();

    // Entries in the log (0 when there is none).
    qint64 count() const { return count_; }
    // The entries from number `first` (from 0) on; none when the log holds fewer.
    Result<std::vector<RecordChange>> since(qint64 first);
    // Writes `change` as begun behind the others and flushes it; its number in the log.
    Result<qint64> begin(RecordChange change);
    // Marks entry `index` done or not done, and flushes it.
    Status finish(qint64 index, RecordChange::State state);

  private:
    ChangeLog(std::optional<PlatformFile> file, qint64 count, bool locked)
        : file_(std::move(file)), count_(count), locked_(locked) {}
    Status settleLast(PlatformFile& results);

    std::optional<PlatformFile> file_; // none: there is no log
    qint64 count_ = 0;
    bool locked_ = false;
};

} // namespace zanfolio
