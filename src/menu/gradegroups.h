#pragma once
// The grade-group test and the grade marks of the result views. Both take the pupil's grade
// number G = (SchoolYear − birth year) − 6 (1 = first primary year, 0 = last kindergarten
// year), worked out by the caller.

#include "roster/rostertables.h"

#include <QString>
#include <optional>

namespace zanfolio {

// Whether a pupil of grade G belongs to the grade group named by `groupText`, the text of the
// menu's grade-group box: "全学年" and "家族" take everyone, "小学生全体" G 1..6, "中学生全体"
// G 7..9, "小１".."小６" and "中１".."中３" one grade each. std::nullopt for any other text (the
// box is editable, so a typed text can be anything); callers treat everything but `true` as not
// belonging, so an unknown text hides every pupil.
std::optional<bool> InGradeGroup(const QString& groupText, int g);

// InGradeGroup with the callers' reading: only `true` belongs.
inline bool passesGradeGroup(const QString& groupText, int g) {
    return InGradeGroup(groupText, g).value_or(false);
}

// One character: "①".."⑥" for G 1..6, "Ⅰ" "Ⅱ" "Ⅲ" for G 7..9, otherwise an ideographic space,
// so that every mark has the same width.
QString GradeMark(int g);

// The grade number of a pupil from the roster tables (SchoolYear and RosterBirthYears).
int pupilGradeNumber(const RosterTables& roster, int pupil);

// The mark before a name in the lists: "●" for the signed-in pupil (`signedIn`), else the
// grade mark.
QString pupilMark(int signedIn, int pupil, int g);

// The mark at the end of a time-ranking line: "●" for the signed-in pupil, else an
// ideographic space.
QString pupilEndMark(int signedIn, int pupil);

inline const QString kCurrentPupilMark = QStringLiteral("●");

} // namespace zanfolio
