#pragma once
// The level rankings: every listed pupil of the roster ranked on one level, best first, one
// line per pupil of the chosen grade group. They read only the statistics and roster tables
// of the shared state (as the last statistics pass and roster build left them), never the
// results file.
//
// Ranks are competition ranks (1, 1, 3) over ALL listed pupils: a pupil hidden by the grade
// group still takes a position, so the visible ranks can have gaps. Up to 5000 listed pupils
// are ranked (RosterListedCount, positions 1.. of RosterIndexByLine).

#include "frame/programdefinition.h"
#include "results/statistics.h"
#include "roster/rostertables.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace zanfolio {

enum class RankingKind {
    Time,        // personal best times, fastest first; no record (99999) last
    TotalPoints, // total points, today's points breaking ties
    TodayPoints, // today's points, total points breaking ties; only pupils with points today
};

// The menu's lists show a two-character rank and "--" for no record; the chart's hidden lists
// a three-character rank and "---".
enum class RankStyle { Menu, Chart };

struct LevelRanking {
    QStringList lines;
    // The line the list selects to scroll the signed-in pupil's line into view: the line
    // above the last line holding "●"; none when that line is the first or there is none.
    std::optional<int> scrollIndex;
};

// The ranking of `level` over the listed pupils of the roster tables, filtered by the grade
// group `groupText` (the grade-group box's text); the lines of the pupil `signedIn`
// (CurrentStudent) are marked.
LevelRanking RankLevel(const RosterTables& roster, const PupilStatistics& stats, int signedIn,
                       int level, RankingKind kind, const QString& groupText,
                       RankStyle style = RankStyle::Menu);

// The line parts, exposed for the chart and the tests.
QString rankField(int rank, RankStyle style);        // " 1" / "  1", only the last 2 / 3 characters
QString rankingNameField(const QString& rosterName); // trailing spaces cut, 5 characters

// A whole ranking view: the time display's best view or a points view, for levels
// 1..LevelCount. Practice levels are ranked in the points views but their lists stay hidden;
// the best view does not rank them at all.
struct RankingViewLevel {
    bool listShown = false;
    LevelRanking ranking;
};
struct RankingView {
    QString
        title; // Label5: "ベスト成績", "獲得ポイント（今まで順位）", "獲得ポイント（今日の順位）"
    std::array<RankingViewLevel, kLevelSlots> levels{}; // index 1..LevelCount
};
RankingView BuildRankingView(const ProgramDefinition& program, const RosterTables& roster,
                             const PupilStatistics& stats, int signedIn, RankingKind kind,
                             const QString& groupText);

} // namespace zanfolio
