#pragma once
// The chart's rankings of one level (the hidden lists List4(1) and List4(2)): the level
// ranking in its chart style ("  1" three-character ranks, "---" for no record), for the
// menu's grade group and points kind, and what the chart's text block takes from them: the
// chart pupil's time rank and points rank as the first three characters of their lines, the
// pupil's total points, and the school's sum of points over the pupils that have any.

#include "menu/levelranking.h"
#include "results/statistics.h"
#include "roster/rostertables.h"

#include <QString>
#include <QStringList>

namespace zanfolio {

struct ChartRankTexts {
    QStringList timeLines;        // List4(1)
    QStringList pointsLines;      // List4(2)
    QString timeRankText;         // TimeRankText(L): "  1", "---" or empty
    QString pointsRankText;       // PointsRankText(L)
    int pupilPoints = 0;          // PupilPointsForChart(L)
    long long schoolPointSum = 0; // SchoolPointSum(L)
    int schoolPointPupils = 0;    // SchoolPointPupils(L)
};

// The number in the last five characters of a points line (the pupil's total points).
int chartLinePoints(const QString& line);

// `pointsKind` is TotalPoints or TodayPoints (Time is taken as TotalPoints).
//
// The pupil's line is the first line holding the pupil's name as the ranking writes it (cut
// to five characters and padded with ideographic spaces). Searching for the whole trimmed
// name, as the lists were once searched, never found a pupil whose name is longer than five
// characters and found the wrong line when one name began with another; a pupil without a
// name matches no line. A pupil outside the grade group has no line: empty ranks, 0 points.
ChartRankTexts ChartRankings(const RosterTables& roster, const PupilStatistics& stats, int signedIn,
                             int level, int pupil, const QString& groupText,
                             RankingKind pointsKind);

} // namespace zanfolio
