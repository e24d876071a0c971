#pragma once
// A wrong answer for tests: 0.07 ＋ 3 = 3.07 unless the test names the problem, dated
// 10 December 2026 at 10:30:05 unless it names the moment.

#include "results/mistakerecord.h"

namespace zanfolio::testing {

inline MistakeRecord testMistake(int pupil, int level, const QString& typed,
                                 MistakeKind kind = MistakeKind::Other,
                                 QDate date = QDate(2026, 12, 10), QTime time = QTime(10, 30, 5)) {
    MistakeRecord r;
    r.date = date;
    r.time = time;
    r.pupil = pupil;
    r.level = level;
    r.first = QStringLiteral("0.07");
    r.sign = QStringLiteral("＋");
    r.second = QStringLiteral("3");
    r.answer = QStringLiteral("3.07");
    r.typed = typed;
    r.kind = kind;
    return r;
}

} // namespace zanfolio::testing
