#include "results/mistakesfile.h"

#include "frame/csvtext.h"
#include "frame/platformfile.h"
#include "results/lockedwrite.h"
#include "results/windowread.h"

namespace zanfolio {

namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
constexpr qint64 kLockOffset = 0;
constexpr qint64 kLockLength = 3; // the byte order mark
constexpr int kCells = 10;
const QString kDateFormat = QStringLiteral("yyyy/MM/dd");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");
// A reader that meets an appender's lock waits this long before it tries again.
constexpr int kSharingPauseMs = 1000;

Error givenUp(const AppendedFile& file, const QString& path, const Error& last) {
    Error e = last;
    e.file = path;
    e.message =
        QStringLiteral("%1「%2」に書き込めませんでした。\n%3").arg(file.name, path, last.message);
    return e;
}

// The byte order mark and the heading line, as a new file starts.
QByteArray fileStart(const QString& heading) {
    return kByteOrderMark + (heading + QStringLiteral("\r\n")).toUtf8();
}

// What goes before the next lines of a file of `size` bytes: the start of a new file, the rest
// of a start cut short, or the line end that the last line lacks. Nothing is ever cut off.
Result<QByteArray> leadFor(PlatformFile& file, qint64 size, const QString& heading) {
    const QByteArray start = fileStart(heading);
    if (size == 0)
        return start;
    if (size < start.size()) {
        Result<QByteArray> head = file.readAt(0, size);
        if (!head)
            return head.error();
        if (start.startsWith(*head))
            return start.mid(head->size()); // a writer stopped inside the heading
    }
    Result<QByteArray> last = file.readAt(size - 1, 1);
    if (!last)
        return last.error();
    if (last->endsWith('\n'))
        return QByteArray();
    if (last->endsWith('\r'))
        return QByteArrayLiteral("\n");
    return QByteArrayLiteral("\r\n");
}

std::optional<int> wholeNumber(const QString& cell) {
    bool ok = false;
    const int v = cell.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

std::optional<MistakeRecord> mistakeFromCells(const QStringList& cells) {
    if (cells.size() != kCells)
        return std::nullopt;
    MistakeRecord r;
    r.date = QDate::fromString(cells[0], kDateFormat);
    r.time = QTime::fromString(cells[1], kTimeFormat);
    const std::optional<int> pupil = wholeNumber(cells[2]);
    const std::optional<int> level = wholeNumber(cells[3]);
    const std::optional<MistakeKind> kind = mistakeKindFromLabel(cells[9]);
    if (!r.date.isValid() || !r.time.isValid() || !pupil || !level || !kind)
        return std::nullopt;
    r.pupil = *pupil;
    r.level = *level;
    r.first = csvTextValue(cells[4]);
    r.sign = csvTextValue(cells[5]);
    r.second = csvTextValue(cells[6]);
    r.answer = csvTextValue(cells[7]);
    r.typed = csvTextValue(cells[8]);
    r.kind = *kind;
    return r;
}

QString mistakesHeading() {
    return QStringLiteral("日付,時刻,生徒番号,レベル,第1数,符号,第2数,正答,入力,分類");
}

QByteArray mistakeLine(const MistakeRecord& r) {
    const QStringList cells{r.date.toString(kDateFormat), r.time.toString(kTimeFormat),
                            QString::number(r.pupil),     QString::number(r.level),
                            csvTextField(r.first),        csvTextField(r.sign),
                            csvTextField(r.second),       csvTextField(r.answer),
                            csvTextField(r.typed),        mistakeKindLabel(r.kind)};
    return (cells.join(u',') + QStringLiteral("\r\n")).toUtf8();
}

Result<QByteArray> LockedMistakes::read(qint64 offset, qint64 length) {
    return file_.readAt(offset, length);
}

Status LockedMistakes::write(const QByteArray& lines, bool* cutBack) {
    if (cutBack)
        *cutBack = true;
    Status written = writeAt(file_, length_, lead_ + lines, faults_);
    if (written)
        written = file_.flush();
    if (!written) {
        // A share that failed half-way must not leave a torn line for every reader.
        Status cut = file_.resize(length_);
        if (cut)
            cut = file_.flush();
        if (cutBack)
            *cutBack = cut.ok();
    }
    return written;
}

AppendedFile mistakesAppendedFile() {
    return AppendedFile{mistakesHeading(), QStringLiteral("誤答記録")};
}

Status appendLinesUnder(const AppendedFile& format, const QString& path, Waiter& waiter,
                        const MistakeAppendHooks& hooks,
                        const std::function<Status(LockedMistakes&)>& work) {
    LockedWrite how;
    how.path = path;
    how.lockOffset = kLockOffset;
    how.lockLength = kLockLength;
    how.busyMessage = QStringLiteral("%1は他のコンピュータが使用中です。").arg(format.name);
    how.onRetry = hooks.onRetry;
    how.givenUp = [&](const Error& last) { return givenUp(format, path, last); };
    return writeUnderLock(how, waiter, [&](PlatformFile& file) -> Status {
        Result<qint64> size = file.size();
        if (!size)
            return size.error();
        Result<QByteArray> lead = leadFor(file, *size, format.heading);
        if (!lead)
            return lead.error();
        LockedMistakes locked(file, *size, *lead, hooks.faults);
        return work(locked);
    });
}

Status appendMistakesUnder(const QString& path, Waiter& waiter, const MistakeAppendHooks& hooks,
                           const std::function<Status(LockedMistakes&)>& work) {
    return appendLinesUnder(mistakesAppendedFile(), path, waiter, hooks, work);
}

Status appendLines(const AppendedFile& format, const QString& path, const QByteArray& lines,
                   Waiter& waiter, const MistakeAppendHooks& hooks) {
    if (lines.isEmpty())
        return Ok{};
    return appendLinesUnder(format, path, waiter, hooks,
                            [&](LockedMistakes& file) { return file.write(lines); });
}

Status appendMistakes(const QString& path, const std::vector<MistakeRecord>& records,
                      Waiter& waiter, const MistakeAppendHooks& hooks) {
    QByteArray lines;
    for (const MistakeRecord& r : records)
        lines += mistakeLine(r);
    return appendLines(mistakesAppendedFile(), path, lines, waiter, hooks);
}

MistakesRead parseMistakes(const QByteArray& bytes) {
    const QByteArray body = bytes.startsWith(kByteOrderMark) ? bytes.mid(3) : bytes;
    CsvRows rows = parseCsv(QString::fromUtf8(body));
    const QStringList heading = mistakesHeading().split(u',');
    MistakesRead out;
    out.tornTail = rows.tornTail;
    std::vector<QStringList>& lines = rows.rows;
    // A last line without its line end is read when it is a whole wrong answer (the kind, last,
    // is never a part of another kind's name, so a line cut short is never one): a spreadsheet
    // saves so. Anything else there is a line cut short, left out.
    if (rows.tornTail && mistakeFromCells(rows.tornRow)) {
        lines.push_back(std::move(rows.tornRow));
        out.tornTail = false;
    }
    for (const QStringList& cells : lines) {
        if (cells == heading || (cells.size() == 1 && cells[0].isEmpty()))
            continue;
        if (std::optional<MistakeRecord> r = mistakeFromCells(cells))
            out.records.push_back(*r);
        else
            ++out.unreadableLines;
    }
    return out;
}

Result<MistakesRead> readMistakes(const QString& path) {
    if (!fileExists(path))
        return MistakesRead{};
    Result<QByteArray> bytes = readWholeFile(path);
    if (!bytes)
        return bytes.error();
    return parseMistakes(*bytes);
}

Result<MistakesRead> readMistakes(const QString& path, Waiter& waiter) {
    for (;;) {
        Result<MistakesRead> read = readMistakes(path);
        if (read || read.error().kind != ErrorKind::Sharing || !waiter.wait(kSharingPauseMs))
            return read;
    }
}

Result<MistakesRead> readMistakesSince(const QString& path, const QDate& firstDate) {
    if (!firstDate.isValid())
        return readMistakes(path);
    Result<LinesSince> lines = readFileLinesSince(path, firstDate);
    if (!lines)
        return lines.error();
    MistakesRead read = parseMistakes(lines->text);
    // The last page read, and any line out of order, may hold older ones.
    std::erase_if(read.records, [&](const MistakeRecord& r) { return r.date < firstDate; });
    read.bytesRead = lines->bytesRead;
    return read;
}

Result<MistakesRead> readMistakesSince(const QString& path, Waiter& waiter,
                                       const QDate& firstDate) {
    for (;;) {
        Result<MistakesRead> read = readMistakesSince(path, firstDate);
        if (read || read.error().kind != ErrorKind::Sharing || !waiter.wait(kSharingPauseMs))
            return read;
    }
}

} // namespace zanfolio
