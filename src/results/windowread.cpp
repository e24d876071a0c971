#include "results/windowread.h"

#include "frame/daycount.h"
#include "frame/platformfile.h"

#include <algorithm>

namespace zanfolio {

namespace {

// Whole records to a page: the page is read from a record boundary.
constexpr qint64 kRecordsPerPage = kWindowPageBytes / ResultsRecord::kSize;

QDate lineDate(const char* begin, const char* end) {
    // "yyyy/MM/dd," at the start of the line.
    if (end - begin < 10)
        return {};
    return QDate::fromString(QString::fromLatin1(begin, 10), QStringLiteral("yyyy/MM/dd"));
}

} // namespace

Result<WindowScan> visitRecordsSince(const ByteRangeReader& read, qint64 fileLength,
                                     double firstDay,
                                     const std::function<void(const ResultsRecord&)>& visit) {
    WindowScan out;
    const qint64 count = fileLength / ResultsRecord::kSize;
    out.recordCount = int(count);
    const double oldEnough = firstDay - kWindowSlackDays;
    qint64 end = count; // records [start, end) of the next page
    while (end > 0) {
        // A view of every record reads in larger pages: it reads everything anyway.
        const qint64 perPage = firstDay > 0 ? kRecordsPerPage : 16 * kRecordsPerPage;
        const qint64 start = std::max<qint64>(end - perPage, 0);
        Result<QByteArray> page =
            read(start * ResultsRecord::kSize, (end - start) * ResultsRecord::kSize);
        if (!page)
            return page.error();
        out.readCalls += 1;
        out.bytesRead += page->size();
        const qint64 whole = std::min<qint64>(page->size() / ResultsRecord::kSize, end - start);
        bool allOld = true;
        for (qint64 i = whole - 1; i >= 0; --i) {
            const ResultsRecord r =
                ResultsRecord::decode(page->constData() + i * ResultsRecord::kSize);
            if (firstDay <= 0 || r.date >= firstDay)
                visit(r);
            if (!(r.date < oldEnough))
                allOld = false;
        }
        out.firstRecordNumber = int(start) + 1;
        end = start;
        if (firstDay > 0 && allOld)
            break;
    }
    return out;
}

Result<RecordsSince> readRecordsSince(const ByteRangeReader& read, qint64 fileLength,
                                      double firstDay) {
    RecordsSince out;
    Result<WindowScan> scan = visitRecordsSince(
        read, fileLength, firstDay, [&](const ResultsRecord& r) { out.records.push_back(r); });
    if (!scan)
        return scan.error();
    static_cast<WindowScan&>(out) = *scan;
    std::reverse(out.records.begin(), out.records.end());
    return out;
}

Result<LinesSince> readLinesSince(const ByteRangeReader& read, qint64 fileLength,
                                  const QDate& firstDate) {
    LinesSince out;
    const QDate oldEnough = firstDate.isValid() ? firstDate.addDays(-kWindowSlackDays) : QDate();
    QByteArray tail; // what was read so far, from `start` to the end of the file
    qint64 start = fileLength;
    while (start > 0) {
        const qint64 from = firstDate.isValid() ? std::max<qint64>(start - kWindowPageBytes, 0) : 0;
        Result<QByteArray> page = read(from, start - from);
        if (!page)
            return page.error();
        out.readCalls += 1;
        out.bytesRead += page->size();
        tail.prepend(*page);
        start = from;
        if (start == 0)
            break;
        // The lines that begin in this page: from the first line start in it (the bytes before
        // belong to a line that began earlier) up to where the earlier pages begin.
        const qsizetype pageEnd = page->size();
        const qsizetype firstBreak = tail.indexOf('\n');
        if (firstBreak < 0 || firstBreak + 1 >= pageEnd)
            continue; // no line begins in this page (it lies inside one long line): read on
        bool allOld = true;
        for (qsizetype at = firstBreak + 1; at < pageEnd;) {
            qsizetype next = tail.indexOf('\n', at);
            if (next < 0)
                next = tail.size();
            const QDate date = lineDate(tail.constData() + at, tail.constData() + next);
            if (date.isValid() && !(date < oldEnough)) {
                allOld = false;
                break;
            }
            at = next + 1;
        }
        if (allOld) {
            // Keep the whole lines only: cut before the first line start.
            tail.remove(0, firstBreak + 1);
            start += firstBreak + 1;
            break;
        }
    }
    out.text = std::move(tail);
    out.startOffset = start;
    return out;
}

Result<LinesSince> readFileLinesSince(const QString& path, const QDate& firstDate) {
    if (!fileExists(path))
        return LinesSince{};
    Result<PlatformFile> file = PlatformFile::open(path, PlatformFile::Mode::Read);
    if (!file)
        return file.error();
    Result<qint64> size = file->size();
    if (!size)
        return size.error();
    return readLinesSince(
        [&](qint64 offset, qint64 length) { return file->readAt(offset, length); }, *size,
        firstDate);
}

} // namespace zanfolio
