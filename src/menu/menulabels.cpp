#include "menu/menulabels.h"

#include "frame/untyped.h"
#include "menu/textparts.h"
#include "results/statistics.h"

namespace zanfolio {

namespace {

QString tally(int runs, int points, const QString& none) {
    if (runs == 0)
        return none;
    return QString::number(runs) + QStringLiteral("回/") + QString::number(points) +
           QStringLiteral("点");
}

bool validLevel(int level) {
    return isValidLevel(level);
}

} // namespace

QString TodayTallyText(const PupilStatistics& stats, int p, int level) {
    if (!validLevel(level))
        return QStringLiteral("-----");
    return tally(stats.TodayRunCounts(level, p), stats.TodayPoints(level, p),
                 QStringLiteral("-----"));
}

QString TotalTallyText(const PupilStatistics& stats, int p, int level) {
    if (!validLevel(level))
        return QStringLiteral("------");
    return tally(stats.TotalRunCounts(level, p), stats.TotalPoints(level, p),
                 QStringLiteral("------"));
}

QString ClearWindowTallyText(const CriteriaTable& criteria, const PupilStatistics& stats, int p,
                             int level) {
    if (!validLevel(level))
        return {};
    return QStringLiteral("最近") + criteria.ClearWindowDays[size_t(level)].toText() +
           QStringLiteral("日=") + QString::number(stats.WindowRunCounts(level, p)) +
           QStringLiteral("回 / ") + QString::number(stats.WindowPoints(level, p)) +
           QStringLiteral("点");
}

QString TargetText(const CriteriaTable& criteria, int level) {
    if (!validLevel(level))
        return {};
    const CriteriaTable& c = criteria;
    const size_t l = size_t(level);
    const QString head =
        QStringLiteral("目標=") + QString::number(c.StandardTime[l]) + QStringLiteral("秒");
    if (c.TargetPoints[l] == 9999)
        return head + QStringLiteral(" --------");
    return head + QStringLiteral(" ") + QString::number(c.TargetCount[l]) + QStringLiteral("回/") +
           QString::number(c.TargetPoints[l]) + QStringLiteral("点(×") +
           shortestNumberText(double(c.PointMultiplier[l])) + QStringLiteral(")");
}

QString MinutesSinceSignInText(int signInTime, int secondsNow) {
    int seconds = secondsNow - signInTime;
    if (seconds < 0)
        seconds += 86400;
    return QStringLiteral("起動後") + QString::number(seconds / 60) + QStringLiteral("分");
}

int TodayRunTotalOf(const PupilStatistics& stats, int p) {
    return SumTodayRunCounts(stats, p, kMaxLevel);
}

QString TodayRunTotalText(int total) {
    return QStringLiteral("本日総回数＝") + QString::number(total) + QStringLiteral("回");
}

QString PupilHeaderText(const Session& session) {
    return trimmedSpaces(session.StudentGrade + QStringLiteral(" ") + session.StudentName);
}

QString SchoolHeaderText(const QString& schoolName, int p) {
    return schoolName + QStringLiteral(":") + QString::number(p);
}

bool IsTeacherName(const QString& studentName) {
    return studentName.contains(QStringLiteral("★")) ||
           studentName.contains(QStringLiteral("先生"));
}

} // namespace zanfolio
