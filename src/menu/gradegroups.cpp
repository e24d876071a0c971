#include "menu/gradegroups.h"

#include "roster/grades.h"

namespace zanfolio {

std::optional<bool> InGradeGroup(const QString& t, int g) {
    if (t == QStringLiteral("全学年") || t == QStringLiteral("家族"))
        return true;
    if (t == QStringLiteral("小学生全体"))
        return g >= 1 && g <= 6;
    if (t == QStringLiteral("中学生全体"))
        return g >= 7 && g <= 9;
    static const QString kOne[9] = {
        QStringLiteral("小１"), QStringLiteral("小２"), QStringLiteral("小３"),
        QStringLiteral("小４"), QStringLiteral("小５"), QStringLiteral("小６"),
        QStringLiteral("中１"), QStringLiteral("中２"), QStringLiteral("中３"),
    };
    for (int k = 0; k < 9; ++k) {
        if (t == kOne[k])
            return g == k + 1;
    }
    return std::nullopt;
}

QString GradeMark(int g) {
    static const QString kMarks[9] = {
        QStringLiteral("①"), QStringLiteral("②"), QStringLiteral("③"),
        QStringLiteral("④"), QStringLiteral("⑤"), QStringLiteral("⑥"),
        QStringLiteral("Ⅰ"), QStringLiteral("Ⅱ"), QStringLiteral("Ⅲ"),
    };
    if (g >= 1 && g <= 9)
        return kMarks[g - 1];
    return QStringLiteral("　");
}

int pupilGradeNumber(const RosterTables& roster, int pupil) {
    return gradeNumber(roster.SchoolYear, roster.RosterBirthYears[size_t(pupil)]);
}

QString pupilMark(int signedIn, int pupil, int g) {
    return pupil == signedIn ? kCurrentPupilMark : GradeMark(g);
}

QString pupilEndMark(int signedIn, int pupil) {
    return pupil == signedIn ? kCurrentPupilMark : QStringLiteral("　");
}

} // namespace zanfolio
