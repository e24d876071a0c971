#include "grades.h"

namespace zanfolio {

int schoolYearOf(const QDate& today, int startMonth) {
    return today.month() < startMonth ? today.year() - 1 : today.year();
}

bool hasGradeLabel(int g) { return g >= 0 && g <= 10; }

QString gradeLabel(int g) {
    static const char* const labels[11] = {"幼３", "小１", "小２", "小３", "小４", "小５",
                                           "小６", "中１", "中２", "中３", "高１"};
    return hasGradeLabel(g) ? QString::fromUtf8(labels[g]) : QString();
}

QString listGradeCode(int g) {
    if (g < -2)
        return QStringLiteral("幼-");
    if (g <= 0)
        return QStringLiteral("幼") + QString::number(g + 3);
    if (g <= 6)
        return QStringLiteral("小") + QString::number(g);
    if (g <= 9)
        return QStringLiteral("中") + QString::number(g - 6);
    if (g <= 12)
        return QStringLiteral("高") + QString::number(g - 9);
    return QStringLiteral("大+");
}

} // namespace zanfolio
