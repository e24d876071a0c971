#pragma once
// "解答記録.csv", every answer of every run (results/answerrecord.h), beside 誤答記録.csv: what
// the diagnosis of wrong ways of working reads. UTF-8 with a byte order mark, CR LF line ends,
// the heading line answersHeading() and one line per answer, in the order the runs ended.
//
// Appends are those of the mistakes file (results/mistakesfile.h): a batch (the answers of one
// run) in one write under the lock of the first three bytes, all or none, with the same retries;
// a new file first gets the byte order mark and the heading, and nothing is ever cut off.
// Answers the file cannot take are kept on this computer (results/pendinglines.h): the pending
// file holds the answers file's own line (its fifteen cells) and a sixteenth, the place.
//
// Readers take no lock; a window of days is read back from the end of the file
// (results/windowread.h), so that a month costs the same after ten years as after one.

#include "frame/result.h"
#include "frame/waiter.h"
#include "results/answerrecord.h"
#include "results/mistakesfile.h"
#include "results/pendinglines.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

namespace zanfolio {

struct AnswersRead {
    std::vector<AnswerRecord> records; // in file order
    // Lines that are no answer, skipped (the heading and empty lines are not counted).
    int unreadableLines = 0;
    // The last line had no line end and was left out (unless it holds a whole answer).
    bool tornTail = false;
    qint64 bytesRead = 0;
};

// The lines of an answers file's contents, with or without the byte order mark and heading.
AnswersRead parseAnswers(const QByteArray& bytes);
// The answers dated on or after `firstDate` (an invalid date: all). A missing file has none
// (and is not created). Without a waiter a read that meets another computer's lock fails at once
// (ErrorKind::Sharing); with one it tries again after a second, as long as the waiter lets it.
Result<AnswersRead> readAnswersSince(const QString& path, const QDate& firstDate);
Result<AnswersRead> readAnswersSince(const QString& path, Waiter& waiter, const QDate& firstDate);

// The heading and name of the answers file, for appends.
AppendedFile answersAppendedFile();

// The lines of the answers file, as PendingLines keeps them.
struct AnswerLines {
    using Record = AnswerRecord;
    static constexpr int kCells = 15;
    static constexpr bool kEarlierVersion = false;
    static AppendedFile file() { return answersAppendedFile(); }
    static QByteArray line(const AnswerRecord& r) { return answerLine(r); }
    static std::optional<AnswerRecord> fromCells(const QStringList& cells) {
        return answerFromCells(cells);
    }
};

using PendingAnswers = PendingLines<AnswerLines>;

// Appends `records` in order, all or none. An empty batch writes nothing.
Status appendAnswers(const QString& path, const std::vector<AnswerRecord>& records, Waiter& waiter,
                     const MistakeAppendHooks& hooks = {});

// Records the answers of a run (recordLines): `batch` is kept behind the answers kept earlier,
// and all of them go to the answers file; what it cannot take stays kept.
Result<LinesRecorded> recordAnswers(const QString& answersPath, PendingAnswers& pending,
                                    const std::vector<AnswerRecord>& batch, Waiter& waiter,
                                    const MistakeAppendHooks& hooks = {});

// The diagnosis of the answers read (practice runs included: they are answers like the others).
Diagnosis diagnosisOf(const std::vector<AnswerRecord>& answers);

} // namespace zanfolio
