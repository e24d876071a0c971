#pragma once
// One answer handed in during a run, right or wrong, as the answers file "解答記録.csv" keeps it
// beside the mistakes file: what the diagnosis of wrong ways of working counts (diagnosis.h).
//
// A line of the file, UTF-8, CR LF, cells as csvTextField writes them:
//   日付,時刻,生徒番号,レベル,練習,第1数,符号,第2数,正答,入力,正誤,秒,分類,機会,該当
//   2026/12/10,10:30:05,12,1,,0.07,＋,3,3.07,0.1,誤,4.2,位取り,位取り／逆算,位取り
//   2026/12/10,10:30:09,12,1,,0.8,＋,0.05,0.85,.85,正,3.0,,位取り／逆算／小数点の位置,
// the moment the answer was handed in, the pupil's roster index, the level, "練習" for a run of
// a practice level (empty otherwise), the problem as shown, the text as typed, "正" or "誤",
// the seconds from the problem's appearance to the hand-in (one decimal), the kind of a wrong
// answer, the ways of working the problem is an opportunity for, and those the answer shows
// (kinds joined by "／", in the order of kMisconceptions).

#include "results/diagnosis.h"
#include "results/mistakerecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>
#include <vector>

namespace zanfolio {

struct AnswerRecord {
    QDate date;
    QTime time; // whole seconds
    int pupil = 0;
    int level = 0;
    bool practice = false;
    QString first;
    QString sign;
    QString second;
    QString answer; // Text of the correct answer
    QString typed;
    bool correct = false;
    int tenthsOfSeconds = 0;         // from the problem's appearance to the hand-in
    std::optional<MistakeKind> kind; // wrong answers only
    std::vector<MistakeKind> opportunities;
    std::vector<MistakeKind> shown;

    friend bool operator==(const AnswerRecord&, const AnswerRecord&) = default;

    // What the diagnosis counts of it.
    AnsweredProblem asAnswered() const;
};

QString answersHeading();
QStringList answerCells(const AnswerRecord& record);
// One line, CR LF included, in UTF-8.
QByteArray answerLine(const AnswerRecord& record);
// None for a line that is no answer (a wrong number of cells, a date or number that cannot be
// read).
std::optional<AnswerRecord> answerFromCells(const QStringList& cells);

} // namespace zanfolio
