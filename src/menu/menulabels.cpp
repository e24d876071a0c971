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

QString TodayTallyText(const SharedState& state, int level) {
    if (!validLevel(level))
        return QStringLiteral("-----");
    const int p = state.CurrentStudent;
    return tally(state.Stats.TodayRunCounts(level, p), state.Stats.TodayPoints(level, p),
                 QStringLiteral("-----"));
}

QString TotalTallyText(const SharedState& state, int level) {
    if (!validLevel(level))
        return QStringLiteral("------");
    const int p = state.CurrentStudent;
    return tally(state.Stats.TotalRunCounts(level, p), state.Stats.TotalPoints(level, p),
                 QStringLiteral("------"));
}

QString ClearWindowTallyText(const SharedState& state, int level) {
    if (!validLevel(level))
        return {};
    const int p = state.CurrentStudent;
    return QStringLiteral("最近") + state.Criteria.ClearWindowDays[size_t(level)].toText() +
           QStringLiteral("日=") + QString::number(state.Stats.WindowRunCounts(level, p)) +
           QStringLiteral("回 / ") + QString::number(state.Stats.WindowPoints(level, p)) +
           QStringLiteral("点");
}

QString TargetText(const SharedState& state, int level) {
    if (!validLevel(level))
        return {};
    const CriteriaTable& c = state.Criteria;
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

int TodayRunTotalOf(const SharedState& state) {
    return SumTodayRunCounts(state.Stats, state.CurrentStudent, kMaxLevel);
}

QString TodayRunTotalText(int total) {
    return QStringLiteral("本日総回数＝") + QString::number(total) + QStringLiteral("回");
}

QString PupilHeaderText(const SharedState& state) {
    return trimmedSpaces(state.StudentGrade + QStringLiteral(" ") + state.StudentName);
}

QString SchoolHeaderText(const SharedState& state) {
    return state.SchoolName + QStringLiteral(":") + QString::number(state.CurrentStudent);
}

bool IsTeacherName(const QString& studentName) {
    return studentName.contains(QStringLiteral("★")) ||
           studentName.contains(QStringLiteral("先生"));
}

} // namespace zanfolio
