#pragma once
// "成績累積データ.dat", the results of every run: a plain sequence of 44-byte records numbered
// from 1 (see resultsrecord.h). Several classroom computers share it over the network.
//
// Appends lock bytes 0..43 (a real byte-range lock, tried without waiting) while they work;
// while another computer holds the lock they retry with short growing pauses through the
// Waiter, opening the file afresh each time, for as long as the waiter lets them. Other faults
// (the folder gone, no permission, a full disk) are retried the same way for about five
// seconds and then reported, with what is wrong. Success is reported only once the record is
// flushed; a write that fails half-way is cut back, so no torn record is left behind. A delete
// rewrites the file under the temporary name while holding the same lock and then replaces the
// original in one rename, so the folder always holds the old file or the new one whole.
//
// Every change to records already in the file (a delete, a correction) is written in the change
// log beside it (results/changelog.h) first; appends take the log's lock too, so that what
// they note of the file (its length, the changes made so far) holds until they are done.
//
// Readers take no lock and open the file for reading only (a read-only file or share can still
// be read); a missing file is created empty. A sharing error makes them wait one second and
// try again, a missing folder five seconds, four times at most, a refused access one second,
// three times at most.

#include "frame/result.h"
#include "frame/waiter.h"
#include "frame/writefaults.h"
#include "results/resultsrecord.h"
#include "results/windowread.h"

#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace zanfolio {

class ChangeLog;
class PlatformFile;

struct ResultsTail {
    std::vector<ResultsRecord> records; // in file order
    int firstRecordNumber = 1;          // number of records[0]
    int recordCount = 0;                // whole records in the file
    qint64 byteLength = 0;
    int partialBytes = 0; // bytes of a torn last record
    int readCalls = 0;    // read calls the load took
};

// The results file as an appending writer sees it while it holds the lock and the change log's
// lock (ResultsFile::appendUnder): nobody else changes it meanwhile.
class LockedResults {
  public:
    LockedResults(PlatformFile& file, ChangeLog& log, qint64 length, WriteFaults* faults)
        : file_(file), log_(log), length_(length), faults_(faults) {}

    // The file's length in bytes.
    qint64 length() const { return length_; }
    // Where the next write puts its first record: behind the last whole record (over a torn
    // tail).
    qint64 appendPlace() const;
    // How many changes the change log holds (the point from which later changes are followed).
    qint64 changeCount() const;
    // Whether `record`, whose append was tried at byte `place` when the change log held
    // `changeCount` changes, is in the file: at that place, or where the deletes made since have
    // moved it, or deleted since by a teacher (its append went through then too).
    Result<bool> holds(const ResultsRecord& record, qint64 place, qint64 changeCount);
    // The last `count` whole records, in file order.
    Result<std::vector<ResultsRecord>> lastRecords(int count);
    // Writes `records` (whole records, in order) at appendPlace() in one write and flushes them.
    // On a failure the file is cut back to its length; `cutBack` says whether that worked (if
    // not, the records may be in the file, whole or in part).
    Status write(const QByteArray& records, bool* cutBack = nullptr);

  private:
    PlatformFile& file_;
    ChangeLog& log_;
    qint64 length_;
    WriteFaults* faults_;
};

class ResultsFile {
  public:
    enum class Locking {
        On,
        Off
    }; // Off only to show, by hand, that the lock is what protects appends

    ResultsFile(QString path, Waiter& waiter, Locking locking = Locking::On);

    const QString& path() const { return path_; }
    QString temporaryPath() const; // "成績累積データtemp.dat" beside the file
    QString changeLogPath() const; // "成績累積データ変更記録.dat" beside the file
    // The waiter of the retries (writers that work with this file wait through it too).
    Waiter& waiter() const { return waiter_; }

    // The last `maxRecords` whole records (all when maxRecords <= 0) in one read.
    // The file is created empty when missing.
    Result<ResultsTail> readTail(int maxRecords);
    // The records dated on or after `firstDay` (a day count; 0: all), read back from the end a
    // page at a time (results/windowread.h): in file order, or handed to `visit` newest first
    // (`begin` is called before the first, and again when a read is tried once more).
    Result<RecordsSince> readSince(double firstDay);
    Result<WindowScan> visitSince(double firstDay, const std::function<void()>& begin,
                                  const std::function<void(const ResultsRecord&)>& visit);
    // `length` bytes at `offset` (fewer at the end), and the file's length: the pages of the
    // records browser.
    Result<QByteArray> readRange(qint64 offset, qint64 length);
    Result<qint64> byteLength();
    Result<ResultsRecord> read(int number);

    // Appends `record` at record number (length ÷ 44) + 1, overwriting a torn tail.
    Status append(const ResultsRecord& record);
    // Runs `work` while holding the lock and the change log's lock, with the retries of an append
    // (`work` may run again after a failure: it must leave the file as it found it).
    Status appendUnder(const std::function<Status(LockedResults&)>& work);
    // Writes `record` as record `number` (1-based, must exist).
    Status rewrite(int number, const ResultsRecord& record);
    // Removes record `number`; later records move down by one; a torn tail is dropped.
    Status remove(int number);

    // Pauses taken by the last append, rewrite or delete while waiting for the lock (for the
    // screens' notice and for tests).
    int lastLockWaits() const { return lastLockWaits_; }

    // Called with what is wrong before every pause of an append, rewrite or delete: the
    // screen's notice says it (another computer, the folder gone, no permission, a full disk).
    void setRetryObserver(std::function<void(const Error&)> observer) {
        onRetry_ = std::move(observer);
    }
    // Faults played on the writes (tests).
    void setWriteFaults(WriteFaults* faults) { faults_ = faults; }
    // Told, page by page, how far a reading back (visitSince, readSince) has come: bytes read
    // and bytes it may read at most (the file's length), so that a screen can show it.
    void setReadProgress(std::function<void(qint64 done, qint64 most)> progress) {
        readProgress_ = std::move(progress);
    }

  private:
    template <class Work> Status underLock(const char* what, Work work);
    // Opens the file for reading and runs `work(file, size)`, with the readers' retries.
    template <class Work>
    auto readWithRetries(Work work) -> decltype(work(std::declval<PlatformFile&>(), qint64()));
    // The change log for a writer holding the lock of `file`; Sharing when `file` is no longer
    // the one the name stands for.
    Result<ChangeLog> takeChangeLog(PlatformFile& file, bool create);

    QString path_;
    Waiter& waiter_;
    Locking locking_;
    int lastLockWaits_ = 0;
    std::function<void(const Error&)> onRetry_;
    std::function<void(qint64, qint64)> readProgress_;
    WriteFaults* faults_ = nullptr;
};

} // namespace zanfolio
