#include "results/answersfile.h"

#include "frame/csvtext.h"
#include "frame/platformfile.h"
#include "results/windowread.h"

namespace zanfolio {

namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
constexpr int kSharingPauseMs = 1000;

} // namespace

AnswersRead parseAnswers(const QByteArray& bytes) {
    const QByteArray body = bytes.startsWith(kByteOrderMark) ? bytes.mid(3) : bytes;
    CsvRows rows = parseCsv(QString::fromUtf8(body));
    const QStringList heading = answersHeading().split(u',');
    AnswersRead out;
    out.tornTail = rows.tornTail;
    out.bytesRead = bytes.size();
    std::vector<QStringList>& lines = rows.rows;
    // A last line without its line end whose cells make a whole answer is read (the last cell,
    // the kinds shown, is empty or whole kinds' names; a line cut short in it may still look
    // whole, and it is then read as the answer it was).
    if (rows.tornTail && answerFromCells(rows.tornRow)) {
        lines.push_back(std::move(rows.tornRow));
        out.tornTail = false;
    }
    for (const QStringList& cells : lines) {
        if (cells == heading || (cells.size() == 1 && cells[0].isEmpty()))
            continue;
        if (std::optional<AnswerRecord> r = answerFromCells(cells))
            out.records.push_back(std::move(*r));
        else
            ++out.unreadableLines;
    }
    return out;
}

Result<AnswersRead> readAnswersSince(const QString& path, const QDate& firstDate) {
    Result<LinesSince> lines = readFileLinesSince(path, firstDate);
    if (!lines)
        return lines.error();
    AnswersRead read = parseAnswers(lines->text);
    // The last page read, and any line out of order, may hold older ones.
    if (firstDate.isValid())
        std::erase_if(read.records, [&](const AnswerRecord& r) { return r.date < firstDate; });
    read.bytesRead = lines->bytesRead;
    return read;
}

Result<AnswersRead> readAnswersSince(const QString& path, Waiter& waiter, const QDate& firstDate) {
    for (;;) {
        Result<AnswersRead> read = readAnswersSince(path, firstDate);
        if (read || read.error().kind != ErrorKind::Sharing || !waiter.wait(kSharingPauseMs))
            return read;
    }
}

AppendedFile answersAppendedFile() {
    return AppendedFile{answersHeading(), QStringLiteral("解答記録")};
}

Status appendAnswers(const QString& path, const std::vector<AnswerRecord>& records, Waiter& waiter,
                     const MistakeAppendHooks& hooks) {
    QByteArray lines;
    for (const AnswerRecord& r : records)
        lines += answerLine(r);
    return appendLines(answersAppendedFile(), path, lines, waiter, hooks);
}

Result<LinesRecorded> recordAnswers(const QString& answersPath, PendingAnswers& pending,
                                    const std::vector<AnswerRecord>& batch, Waiter& waiter,
                                    const MistakeAppendHooks& hooks) {
    return recordLines(answersPath, pending, batch, waiter, hooks);
}

Diagnosis diagnosisOf(const std::vector<AnswerRecord>& answers) {
    Diagnosis d;
    for (const AnswerRecord& a : answers)
        d.add(a.asAnswered());
    return d;
}

} // namespace zanfolio
