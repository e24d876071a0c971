#pragma once
// The records browser's lines read page by page: a list over the fixed 44-byte records that
// reads and formats only the records on screen, so that opening it costs the same at 25 000
// records and at 3 000 000. Row r is record r + 1; a record of level 0 (which the list leaves
// out) gives an empty line and levelOf 0, for the view to hide once it has been read.
//
// A page is kPageRecords records (one 64 KB read); the last few pages read are kept.

#include "frame/result.h"
#include "results/resultsrecord.h"
#include "results/windowread.h"
#include "teacher/recordlist.h"

#include <QString>
#include <list>
#include <optional>
#include <vector>

namespace zanfolio {

class RecordPages {
  public:
    static constexpr int kPageRecords = int(kWindowPageBytes / ResultsRecord::kSize);
    static constexpr size_t kKeptPages = 4;

    RecordPages(ByteRangeReader read, qint64 fileLength, RecordListContext context);

    // Whole records in the file.
    int rowCount() const { return rows_; }
    qint64 fileLength() const { return length_; }
    // The line of row `row`, "" for a record of level 0 and for a page that cannot be read
    // (lastError() tells why).
    QString line(int row);
    int levelOf(int row);
    Result<ResultsRecord> record(int row);
    // The record number of a row, and the row of a record number.
    static int numberOf(int row) { return row + 1; }
    static int rowOf(int number) { return number - 1; }

    // The file as it is now (after a correction or a delete): pages read again as needed.
    void reload(qint64 fileLength);
    // The bytes of the page that starts at `firstRow`, read by the caller (the first page, read
    // with the patience of someone opening the list).
    void keepPage(int firstRow, const QByteArray& bytes);

    const std::optional<Error>& lastError() const { return lastError_; }
    qint64 bytesRead() const { return bytesRead_; }
    int readCalls() const { return readCalls_; }

  private:
    struct Page {
        int first = 0; // row of its first record
        std::vector<ResultsRecord> records;
    };
    const Page* pageOf(int row);
    const Page& addPage(int first, const QByteArray& bytes);

    ByteRangeReader read_;
    qint64 length_ = 0;
    int rows_ = 0;
    RecordListContext context_;
    std::list<Page> pages_; // most recently used first
    std::optional<Error> lastError_;
    qint64 bytesRead_ = 0;
    int readCalls_ = 0;
};

} // namespace zanfolio
