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
// Readers take no lock and open the file for reading only (a read-only file or share can still
// be read); a missing file is created empty. A sharing error makes them wait one second and
// try again, a missing folder five seconds, four times at most, a refused access one second,
// three times at most.

#include "frame/result.h"
#include "frame/waiter.h"
#include "frame/writefaults.h"
#include "results/resultsrecord.h"

#include <QString>
#include <functional>
#include <vector>

namespace zanfolio {

class PlatformFile;

struct ResultsTail {
    std::vector<ResultsRecord> records; // in file order
    int firstRecordNumber = 1;          // number of records[0]
    int recordCount = 0;                // whole records in the file
    qint64 byteLength = 0;
    int partialBytes = 0; // bytes of a torn last record
    int readCalls = 0;    // read calls the load took
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

    // The last `maxRecords` whole records (all when maxRecords <= 0) in one read.
    // The file is created empty when missing.
    Result<ResultsTail> readTail(int maxRecords);
    Result<ResultsRecord> read(int number);

    // Appends `record` at record number (length ÷ 44) + 1, overwriting a torn tail.
    Status append(const ResultsRecord& record);
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

  private:
    template <class Work> Status underLock(const char* what, Work work);

    QString path_;
    Waiter& waiter_;
    Locking locking_;
    int lastLockWaits_ = 0;
    std::function<void(const Error&)> onRetry_;
    WriteFaults* faults_ = nullptr;
};

} // namespace zanfolio
