#pragma once
// Grades from birth years. The school year starts in the month the settings name; a pupil's
// grade number is G = (SchoolYear − BirthYear) − 6: 1 is the first primary year, 0 the last
// kindergarten year.

#include <QDate>
#include <QString>
#include <QStringList>

namespace zanfolio {

// The year of `today`, less 1 before the month in which the school year starts.
int schoolYearOf(const QDate& today, int startMonth);
inline int gradeNumber(int schoolYear, int birthYear) {
    return (schoolYear - birthYear) - 6;
}

// "幼３", "小１".."小６", "中１".."中３", "高１" for G = 0..10 (full-width digits); empty otherwise
// (callers keep an earlier label then).
QString gradeLabel(int g);
bool hasGradeLabel(int g);
// The name list's grade code (ASCII digits): "幼-", "幼1".."幼3", "小1".."小6", "中1".."中3",
// "高1".."高3", "大+".
QString listGradeCode(int g);
inline bool isKindergarten(int g) {
    return g <= 0;
}

// The twelve grade groups of the roster form's grade-group box, in the box's order:
// "全学年", "中学生全体", "小学生全体", "中３" .. "中１", "小６" .. "小１" (full-width digits).
const QStringList& nameListGradeGroups();
inline const QString kAllGrades = QStringLiteral("全学年");
// Whether a pupil of grade G is shown under `group`: "全学年" everyone, "小学生全体" G 1..6,
// "中学生全体" G 7..9, "小１".."小６" and "中１".."中３" one grade. Any other text shows nobody.
bool passesNameListGroup(const QString& group, int g);

} // namespace zanfolio
