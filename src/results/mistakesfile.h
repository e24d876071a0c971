#pragma once
// "誤答記録.csv", the wrong answers of every run, beside 成績累積データ.dat. A CSV file a
// spreadsheet opens as it is: UTF-8 with a byte order mark (EF BB BF), CR LF line ends, the
// heading line
//   日付,時刻,生徒番号,レベル,第1数,符号,第2数,正答,入力,分類
// and then one line per wrong answer (MistakeRecord), for example
//   2026/12/10,10:30:05,12,1,0.07,＋,3,3.07,0.1,位取り
//   2026/12/10,10:31:40,12,1,0.6,＋,0.5,1.1,'+3,その他
// the date, the time of day, the pupil's roster index, the level, the numbers and the sign as
// the drill shows them, the text exactly as typed and the kind's name. Text cells are written
// by csvTextField (frame/csvtext.h): quoted when they hold a comma, a quote or a line break,
// and with a leading apostrophe when they start like a formula ("+3" is written '+3).
//
// Appends write a batch of lines (the wrong answers of one run) in one write, holding a lock
// on the file's first three bytes (those of the byte order mark) with the shared folder's
// retry rules (results/lockedwrite.h): waiting for as long as the waiter lets it while
// another computer holds the lock, about five seconds for any other fault. A new or empty
// file first gets the byte order mark and the heading (a heading cut short is completed).
// Nothing in the file is ever cut off: a last line without its line end (a spreadsheet that
// saved it so, an editor that wrote CR-only line ends, a writer that stopped half-way) may be
// data, so the missing line end is added and the batch goes after it. A write that fails
// half-way is cut back to where the file ended; success is reported only once the batch is
// flushed.
//
// Readers take no lock and read the whole file into memory. Where locks are enforced on reads
// (Windows), a read meets another computer's lock on the first bytes while it appends: a reader
// with a waiter then tries again after a second, for as long as the waiter lets it.

#include "frame/platformfile.h"
#include "frame/result.h"
#include "frame/waiter.h"
#include "frame/writefaults.h"
#include "results/mistakerecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace zanfolio {

// The heading line, without its line end.
QString mistakesHeading();

// One line of the file, CR LF included, in UTF-8.
QByteArray mistakeLine(const MistakeRecord& record);

// The wrong answer in the ten cells of a line; none when they are no wrong answer.
std::optional<MistakeRecord> mistakeFromCells(const QStringList& cells);

struct MistakeAppendHooks {
    // Called with what is wrong before every pause (the screens' notice says it).
    std::function<void(const Error&)> onRetry;
    WriteFaults* faults = nullptr; // faults played on the writes (tests)
};

// Appends `records` in order, all or none. An empty batch writes nothing.
Status appendMistakes(const QString& path, const std::vector<MistakeRecord>& records,
                      Waiter& waiter, const MistakeAppendHooks& hooks = {});

// The mistakes file as an appending writer sees it while it holds the lock (appendMistakesUnder):
// nobody else writes it meanwhile.
class LockedMistakes {
  public:
    LockedMistakes(PlatformFile& file, qint64 length, QByteArray lead, WriteFaults* faults)
        : file_(file), length_(length), lead_(std::move(lead)), faults_(faults) {}

    qint64 length() const { return length_; }
    // `length` bytes at `offset` (fewer at the end).
    Result<QByteArray> read(qint64 offset, qint64 length);
    // Where the first line of the next write begins: the end of the file, behind the byte order
    // mark and the heading of a new file, or behind the line end that the last line lacks.
    qint64 linesPlace() const { return length_ + lead_.size(); }
    // Writes `lines` (whole lines) at linesPlace() in one write, with what must go before them,
    // and flushes them. On a failure the file is cut back to its length; `cutBack` says whether
    // that worked (if not, the lines may be in the file, whole or in part).
    Status write(const QByteArray& lines, bool* cutBack = nullptr);

  private:
    PlatformFile& file_;
    qint64 length_;
    QByteArray lead_;
    WriteFaults* faults_;
};

// A file of CSV lines appended the way the mistakes file is (誤答記録.csv, 解答記録.csv): the
// same lock, retries, start of a new file and care for the last line; only the heading and the
// name the messages give it differ.
struct AppendedFile {
    QString heading; // without its line end
    QString name;    // as the messages name it: "誤答記録"
};
AppendedFile mistakesAppendedFile();

// Runs `work` while holding the lock of the file at `path` laid out as `file`, with the retries
// of an append (`work` may run again after a failure: it must leave the file as it found it).
Status appendLinesUnder(const AppendedFile& file, const QString& path, Waiter& waiter,
                        const MistakeAppendHooks& hooks,
                        const std::function<Status(LockedMistakes&)>& work);
// Appends `lines` (whole lines, CR LF) in one write, all or none; none writes nothing.
Status appendLines(const AppendedFile& file, const QString& path, const QByteArray& lines,
                   Waiter& waiter, const MistakeAppendHooks& hooks = {});

// appendLinesUnder for the mistakes file.
Status appendMistakesUnder(const QString& path, Waiter& waiter, const MistakeAppendHooks& hooks,
                           const std::function<Status(LockedMistakes&)>& work);

struct MistakesRead {
    std::vector<MistakeRecord> records; // in file order
    // Lines that are no wrong answer (a wrong number of cells, a date, number or kind that
    // cannot be read), skipped. The heading and empty lines are not counted.
    int unreadableLines = 0;
    // The last line had no line end and was left out (a last line without its line end that
    // holds a whole wrong answer is read).
    bool tornTail = false;
    qint64 bytesRead = 0; // by readMistakesSince
};

// The lines of a mistakes file's contents, with or without the byte order mark and the heading.
MistakesRead parseMistakes(const QByteArray& bytes);
// The whole file. A missing file has no mistakes yet (and is not created). Without a waiter a
// read that meets another computer's lock fails at once (ErrorKind::Sharing).
Result<MistakesRead> readMistakes(const QString& path);
Result<MistakesRead> readMistakes(const QString& path, Waiter& waiter);
// The wrong answers dated on or after `firstDate` (an invalid date: all), read back from the end
// of the file to that day (results/windowread.h), so that a month costs the same after ten
// years as after one.
Result<MistakesRead> readMistakesSince(const QString& path, const QDate& firstDate);
Result<MistakesRead> readMistakesSince(const QString& path, Waiter& waiter, const QDate& firstDate);

} // namespace zanfolio
