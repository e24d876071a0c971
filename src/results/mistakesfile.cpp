#include "results/mistakesfile.h"

#include "frame/csvtext.h"
#include "frame/platformfile.h"
#include "results/lockedwrite.h"

namespace zanfolio {

namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
constexpr qint64 kLockOffset = 0;
constexpr qint64 kLockLength = 3; // the byte order mark
constexpr int kCells = 10;
// How far back from the end an append looks for the last line end. Lines are short; a torn
// tail longer than this is ended instead of cut off.
constexpr qint64 kTailWindow = 4096;
const QString kDateFormat = QStringLiteral("yyyy/MM/dd");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");
// A reader that meets an appender's lock waits this long before it tries again.
constexpr int kSharingPauseMs = 1000;

Error givenUp(const QString& path, const Error& last) {
    Error e = last;
    e.file = path;
    e.message =
        QStringLiteral("誤答記録「%1」に書き込めませんでした。\n%2").arg(path, last.message);
    return e;
}

// Where the batch goes: after the last whole line. `heading` is set when the file has no whole
// line yet (new, empty, or its heading torn), `endLine` when a torn tail is too long to cut.
struct AppendAt {
    qint64 offset = 0;
    bool heading = false;
    bool endLine = false;
};

Result<AppendAt> appendPosition(PlatformFile& file, qint64 size) {
    if (size == 0)
        return AppendAt{0, true, false};
    const qint64 start = std::max<qint64>(0, size - kTailWindow);
    Result<QByteArray> tail = file.readAt(start, size - start);
    if (!tail)
        return tail.error();
    const qsizetype lastEnd = tail->lastIndexOf('\n');
    if (lastEnd == tail->size() - 1)
        return AppendAt{size, false, false};
    if (lastEnd >= 0)
        return AppendAt{start + lastEnd + 1, false, false};
    if (start == 0)
        return AppendAt{0, true, false};
    return AppendAt{size, false, true};
}

std::optional<int> wholeNumber(const QString& cell) {
    bool ok = false;
    const int v = cell.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

std::optional<MistakeRecord> fromCells(const QStringList& cells) {
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

} // namespace

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

Status appendMistakes(const QString& path, const std::vector<MistakeRecord>& records,
                      Waiter& waiter, const MistakeAppendHooks& hooks) {
    if (records.empty())
        return Ok{};
    QByteArray lines;
    for (const MistakeRecord& r : records)
        lines += mistakeLine(r);

    LockedWrite how;
    how.path = path;
    how.lockOffset = kLockOffset;
    how.lockLength = kLockLength;
    how.busyMessage = QStringLiteral("誤答記録は他のコンピュータが使用中です。");
    how.onRetry = hooks.onRetry;
    how.givenUp = [&](const Error& last) { return givenUp(path, last); };
    return writeUnderLock(how, waiter, [&](PlatformFile& file) -> Status {
        Result<qint64> size = file.size();
        if (!size)
            return size.error();
        Result<AppendAt> at = appendPosition(file, *size);
        if (!at)
            return at.error();
        QByteArray bytes;
        if (at->heading)
            bytes = kByteOrderMark + (mistakesHeading() + QStringLiteral("\r\n")).toUtf8();
        else if (at->endLine)
            bytes = QByteArrayLiteral("\r\n");
        bytes += lines;
        Status written = at->offset < *size ? file.resize(at->offset) : Status(Ok{});
        if (written)
            written = writeAt(file, at->offset, bytes, hooks.faults);
        if (written)
            written = file.flush();
        if (!written) {
            // A share that failed half-way must not leave a torn line for every reader.
            (void)file.resize(at->offset);
            (void)file.flush();
        }
        return written;
    });
}

MistakesRead parseMistakes(const QByteArray& bytes) {
    const QByteArray body = bytes.startsWith(kByteOrderMark) ? bytes.mid(3) : bytes;
    const CsvRows rows = parseCsv(QString::fromUtf8(body));
    const QStringList heading = mistakesHeading().split(u',');
    MistakesRead out;
    out.tornTail = rows.tornTail;
    for (const QStringList& cells : rows.rows) {
        if (cells == heading || (cells.size() == 1 && cells[0].isEmpty()))
            continue;
        if (std::optional<MistakeRecord> r = fromCells(cells))
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

} // namespace zanfolio
