#pragma once
// The pupil signed in on the roster form, and the level chosen on the results menu.

#include <QString>

namespace zanfolio {

struct Session {
    int CurrentStudent = 0;
    QString StudentName; // 20-character roster field; displays trim it
    QString StudentGrade;
    int SignInTime = 0; // seconds since midnight
    QString GradeGroupFilter;
    int CurrentLevel = 0;
};

} // namespace zanfolio
