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
// file first gets the byte order mark and the heading. A last line left without its line end
// (a writer that stopped half-way) is cut off before the batch is written; a write that fails
// half-way is cut back; success is reported only once the batch is flushed.
//
// Readers take no lock and read the whole file into memory. Where locks are enforced on reads
// (Windows), a read meets another computer's lock on the first bytes while it appends: a reader
// with a waiter then tries again after a second, for as long as the waiter lets it.

#include "frame/result.h"
#include "frame/waiter.h"
#include "frame/writefaults.h"
#include "results/mistakerecord.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace zanfolio {

// The heading line, without its line end.
QString mistakesHeading();

// One line of the file, CR LF included, in UTF-8.
QByteArray mistakeLine(const MistakeRecord& record);

struct MistakeAppendHooks {
    // Called with what is wrong before every pause (the screens' notice says it).
    std::function<void(const Error&)> onRetry;
    WriteFaults* faults = nullptr; // faults played on the writes (tests)
};

// Appends `records` in order, all or none. An empty batch writes nothing.
Status appendMistakes(const QString& path, const std::vector<MistakeRecord>& records,
                      Waiter& waiter, const MistakeAppendHooks& hooks = {});

struct MistakesRead {
    std::vector<MistakeRecord> records; // in file order
    // Lines that are no wrong answer (a wrong number of cells, a date, number or kind that
    // cannot be read), skipped. The heading and empty lines are not counted.
    int unreadableLines = 0;
    bool tornTail = false; // the last line had no line end and was left out
};

// The lines of a mistakes file's contents, with or without the byte order mark and the heading.
MistakesRead parseMistakes(const QByteArray& bytes);
// The whole file. A missing file has no mistakes yet (and is not created). Without a waiter a
// read that meets another computer's lock fails at once (ErrorKind::Sharing).
Result<MistakesRead> readMistakes(const QString& path);
Result<MistakesRead> readMistakes(const QString& path, Waiter& waiter);

} // namespace zanfolio
