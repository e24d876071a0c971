#pragma once
// Answers for tests of the diagnosis views: `opportunities` answers of a pupil to 0.07 ＋ 3 on
// which `kind` could show, the first `shown` of them showing it, and the answers file that holds
// them.

#include "results/answerrecord.h"
#include "results/answersfile.h"

#include <QByteArray>
#include <vector>

namespace zanfolio::testing {

inline std::vector<AnswerRecord> systematicAnswers(int pupil, int level, MistakeKind kind,
                                                   int opportunities, int shown,
                                                   QDate date = QDate(2026, 12, 10)) {
    std::vector<AnswerRecord> out;
    for (int i = 0; i < opportunities; ++i) {
        AnswerRecord a;
        a.date = date;
        a.time = QTime(9, 0).addSecs(i);
        a.pupil = pupil;
        a.level = level;
        a.first = QStringLiteral("0.07");
        a.sign = QStringLiteral("＋");
        a.second = QStringLiteral("3");
        a.answer = QStringLiteral("3.07");
        a.opportunities = {kind};
        a.correct = i >= shown;
        a.typed = a.correct ? a.answer : QStringLiteral("0.1");
        if (!a.correct) {
            a.kind = kind;
            a.shown = {kind};
        }
        a.tenthsOfSeconds = 40;
        out.push_back(a);
    }
    return out;
}

// The contents of an answers file: the byte order mark, the heading and the lines.
inline QByteArray answersFileBytes(const std::vector<AnswerRecord>& answers) {
    QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + answersHeading().toUtf8() + "\r\n";
    for (const AnswerRecord& a : answers)
        bytes += answerLine(a);
    return bytes;
}

} // namespace zanfolio::testing
