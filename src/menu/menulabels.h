#pragma once
// The small texts of the results menu's header and level columns: pure rules over the
// statistics and criteria, for the signed-in pupil p (CurrentStudent). Counts and points are
// written in plain decimal digits.

#include "results/criteria.h"
#include "results/statistics.h"
#include "roster/session.h"

#include <QString>

namespace zanfolio {

// Label14(L): today's tally "3回/12点", or "-----" (five hyphens) without a run today.
QString TodayTallyText(const PupilStatistics& stats, int p, int level);
// Label15(L): the total tally "3回/12点", or "------" (six hyphens) without any run.
QString TotalTallyText(const PupilStatistics& stats, int p, int level);
// Label8(L): the clear-window tally "最近7日=3回 / 25点".
QString ClearWindowTallyText(const CriteriaTable& criteria, const PupilStatistics& stats, int p,
                             int level);
// Label7(L): the level's target "目標=40秒 5回/30点(×1.5)", or "目標=40秒 --------" for a
// level without target (TargetPoints 9999); the multiplier as the shortest text of the
// single-precision value.
QString TargetText(const CriteriaTable& criteria, int level);

// Label17: "起動後" & whole minutes since sign-in & "分". Both times are seconds since midnight;
// a pupil still signed in after midnight counts on from the day before instead of going
// negative.
QString MinutesSinceSignInText(int signInTime, int secondsNow);
// TodayRunTotal: the pupil's completed runs today over all levels 1..35.
int TodayRunTotalOf(const PupilStatistics& stats, int p);
// Label18: "本日総回数＝" & total & "回".
QString TodayRunTotalText(int total);
// Label12: the grade label, one space and the name, spaces cut at both ends.
QString PupilHeaderText(const Session& session);
// Label13: SchoolName & ":" & the pupil number.
QString SchoolHeaderText(const QString& schoolName, int p);

// A teacher entry: the roster name contains "★" or "先生".
bool IsTeacherName(const QString& studentName);

} // namespace zanfolio
