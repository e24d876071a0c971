#pragma once
// `名簿表示`, the name list builder of the roster form: reads "新名簿.txt", registers every
// pupil in the roster tables, and returns the rows the form shows. The
// form only displays the result (and selects row 0, which resets the chosen pupil).
//
// Steps, as the failure message names them: 1 the school year, 1.5 the statistics pass,
// 2 clearing the lists, 3 reading the roster, 5 and 4 the figures and sort texts of a pupil,
// 10 filling the visible list.
//
// Tables written (nothing clears them, so a pupil who left the file keeps the values of the
// last build that saw them):
//   SchoolYear                  worked out afresh from the clock and SchoolYearStartMonth
//   RosterNames[K]              the 20-character name field    (every pupil, listed or not;
//   RosterBirthYears[K]         the birth year                  a later line with the same
//   RosterGradeLabels[K]        "幼３".."高１" for G 0..10       number wins)
//   RosterRecords[p], RosterIndexByLine[p]   p = 1.. the listed pupils in file order; an
//                               unlisted line is stored at the next position and overwritten
//   RosterListedCount           the number of listed pupils (at most 5000)

#include "frame/clock.h"
#include "frame/installation.h"
#include "frame/result.h"
#include "frame/waiter.h"
#include "results/statistics.h"
#include "roster/rostertables.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zanfolio {

// Row 0 of the visible list: no pupil chosen (six U+FF0D).
inline const QString kNoPupilRow = QStringLiteral("－－－－－－");
inline constexpr int kMaxListedPupils = 5000;
// A roster that cannot be read is tried this often, with this pause after every failure (half
// a minute in all), before the program gives up.
inline constexpr int kRosterTries = 6;
inline constexpr int kRosterRetryMs = 5000;

struct NameListRequest {
    int displayMode = 1;                           // DisplayMode 0..3 (the form starts in 1)
    QString gradeGroup = QStringLiteral("全学年"); // the grade-group box's text
};

struct NameList {
    QStringList visibleRows;             // List1: row 0 is kNoPupilRow, then the pupils shown
    QStringList companionTexts;          // List3: companionTexts[i - 1] belongs to visibleRows[i]
    QStringList sortTexts;               // List2: every listed pupil, ascending
    int skippedLines = 0;                // roster lines left out (see RosterFileContents)
    std::vector<int> skippedLineNumbers; // where they start in the file, from line 1
};

// The statistics pass the build runs first (step 1.5), so that the figures are fresh. It
// reports its own failures; the build passes them on unchanged.
using StatisticsPass = std::function<Status()>;

// Builds the list. A roster file that is missing or unreadable is tried kRosterTries times,
// waiting kRosterRetryMs through `waiter` after each failure; then (or as soon as the waiter
// refuses to wait) the result is an error that ends the program, whose message begins with
// "名簿表示" and the step and names the fault and its error number. `statistics` may be empty
// when the caller has just run the pass.
Result<NameList> 名簿表示(RosterTables& roster, const Installation& installation,
                          const PupilStatistics& stats, const NameListRequest& request,
                          const Clock& clock, Waiter& waiter, const StatisticsPass& statistics);

} // namespace zanfolio
