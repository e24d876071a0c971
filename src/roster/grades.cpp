#include "roster/grades.h"

namespace zanfolio {

int schoolYearOf(const QDate& today, int startMonth) {
    return today.month() < startMonth ? today.year() - 1 : today.year();
}

bool hasGradeLabel(int g) {
    return g >= 0 && g <= 10;
}

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

namespace {
QString fullWidthDigit(int d) {
    return QString(QChar(char16_t(0xFF10 + d)));
}
} // namespace

const QStringList& nameListGradeGroups() {
    static const QStringList groups = [] {
        QStringList g{kAllGrades, QStringLiteral("中学生全体"), QStringLiteral("小学生全体")};
        for (int k = 3; k >= 1; --k)
            g << QStringLiteral("中") + fullWidthDigit(k);
        for (int k = 6; k >= 1; --k)
            g << QStringLiteral("小") + fullWidthDigit(k);
        return g;
    }();
    return groups;
}

bool passesNameListGroup(const QString& group, int g) {
    if (group == kAllGrades)
        return true;
    if (group == QStringLiteral("小学生全体"))
        return g >= 1 && g <= 6;
    if (group == QStringLiteral("中学生全体"))
        return g >= 7 && g <= 9;
    for (int k = 1; k <= 6; ++k) {
        if (group == QStringLiteral("小") + fullWidthDigit(k))
            return g == k;
    }
    for (int k = 1; k <= 3; ++k) {
        if (group == QStringLiteral("中") + fullWidthDigit(k))
            return g == 6 + k;
    }
    return false;
}

} // namespace zanfolio
