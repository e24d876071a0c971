#pragma once
// Reading a file that only grows, from its end back to the start of a window of days, so that a
// view of the last month costs the same after ten years as after one.
//
// Both files are written in time order: a run's record when it ends, a run's wrong answers and
// answers right after it. Two things put a line out of order: a run kept on a computer while the
// share was away is delivered later with its own date, and a computer's clock may be wrong. So
// the reading does not stop at the first line older than the window: it goes back page by page
// (64 KB) and stops after a page all of whose lines are dated more than kWindowSlackDays before
// the window's first day. What it read is then sorted out by date alone: a line in the window is
// shown wherever it stands, one before it is left out. A late line whose date lies in the window
// is missed only when a whole page of lines more than a week older than the window follows it.
//
// The readers are handed a function that reads bytes at an offset (one call per page) and the
// file's length; they return what the view needs and how much they read.

#include "frame/result.h"
#include "results/resultsrecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace zanfolio {

inline constexpr qint64 kWindowPageBytes = 64 * 1024;
inline constexpr int kWindowSlackDays = 7;

// Reads `length` bytes at `offset` (fewer only at the end of the file).
using ByteRangeReader = std::function<Result<QByteArray>(qint64 offset, qint64 length)>;

struct WindowScan {
    int firstRecordNumber = 1; // the number of the first record read
    int recordCount = 0;       // whole records in the file
    qint64 bytesRead = 0;
    int readCalls = 0;
};

struct RecordsSince : WindowScan {
    std::vector<ResultsRecord> records; // dated on or after the first day, in file order
};

// Hands each results record dated on or after `firstDay` (a day count; 0 or less: every
// record) to `visit`, the newest first (the file's order backwards), from a results file of
// `fileLength` bytes (a torn last record is left out). Only a page is held at a time.
Result<WindowScan> visitRecordsSince(const ByteRangeReader& read, qint64 fileLength,
                                     double firstDay,
                                     const std::function<void(const ResultsRecord&)>& visit);
// The same records, in file order.
Result<RecordsSince> readRecordsSince(const ByteRangeReader& read, qint64 fileLength,
                                      double firstDay);

struct LinesSince {
    QByteArray text; // whole lines from a line start to the end of the file
    qint64 startOffset = 0;
    qint64 bytesRead = 0;
    int readCalls = 0;
};

// The end of a CSV side file whose lines begin with their date ("2026/12/10,…"), from the
// first line that may be dated on or after `firstDate` (an invalid date: the whole file). The
// lines of the text may still hold older ones (those of the last page read, and any out of
// order): the caller keeps those in its window. A line whose first cell is no date (the heading,
// a line cut short) counts as old.
Result<LinesSince> readLinesSince(const ByteRangeReader& read, qint64 fileLength,
                                  const QDate& firstDate);

// The same from the file at `path`: opened for reading, its length taken, one read a page. A
// missing file has no lines (and is not created).
Result<LinesSince> readFileLinesSince(const QString& path, const QDate& firstDate);

} // namespace zanfolio
