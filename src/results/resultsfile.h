#pragma once
// "成績累積データ.dat", the results of every run: a plain sequence of 44-byte records numbered
// from 1 (see resultsrecord.h). Several classroom computers share it over the network.
//
// Appends lock bytes 0..43 (a real byte-range lock, tried without waiting) while they work;
// when another computer holds the lock, or the file cannot be opened or written, they retry
// with short growing pauses through the Waiter, opening the file afresh each time, and report
// success only once the record is flushed. A delete rewrites the file under the temporary name
// while holding the same lock and then replaces the original in one rename, so the folder
// always holds the old file or the new one whole. Readers take no lock; a sharing error makes
// them wait one second and try again, a missing folder five seconds, four times at most.

#include "frame/result.h"
#include "frame/waiter.h"
#include "results/resultsrecord.h"

#include <QString>
#include <vector>

namespace zanfolio {

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

  private:
    template <class Work> Status underLock(const char* what, Work work);

    QString path_;
    Waiter& waiter_;
    Locking locking_;
    int lastLockWaits_ = 0;
};

} // namespace zanfolio
