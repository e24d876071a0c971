#pragma once
// Grades from birth years. The school year starts in the month the settings name; a pupil's
// grade number is G = (SchoolYear − BirthYear) − 6: 1 is the first primary year, 0 the last
// kindergarten year.

#include <QDate>
#include <QString>

namespace zanfolio {

// The year of `today`, less 1 before the month in which the school year starts.
int schoolYearOf(const QDate& today, int startMonth);
inline int gradeNumber(int schoolYear, int birthYear) { return (schoolYear - birthYear) - 6; }

// "幼３", "小１".."小６", "中１".."中３", "高１" for G = 0..10 (full-width digits); empty otherwise
// (callers keep an earlier label then).
QString gradeLabel(int g);
bool hasGradeLabel(int g);
// The name list's grade code (ASCII digits): "幼-", "幼1".."幼3", "小1".."小6", "中1".."中3",
// "高1".."高3", "大+".
QString listGradeCode(int g);
inline bool isKindergarten(int g) { return g <= 0; }

} // namespace zanfolio
