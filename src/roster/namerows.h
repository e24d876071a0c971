#pragma once
// The rows of the roster form's name list. For a listed pupil with list grade code C, trimmed
// name N, pupil number K and figures F1, F2 (chosen by the display mode):
//
//   sort text      = BirthYear & C & " " & N & P & F1 & "/" & F2 & "*" & K
//   companion text = C & " " & N & P & F1 & "/" & F2 & "*" & K   (the form reads K after "*")
//   visible row    = C & " " & N & P & F1 & "/" & F2
//
// P is W − Len(C & " " & N) ideographic spaces (none when the name is too long for it), with
// W = 11 for a kindergarten pupil in display modes 0, 2 and 3 and W = 9 otherwise, so that the
// figures of short names line up. The rows sort by their sort texts: birth year (the oldest
// first), then grade code, then name.

#include "results/statistics.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace zanfolio {

// The four display modes of the option group (DisplayMode).
enum DisplayModes {
    kRunsTodayAndSoFar = 0,   // "回数(今日／今まで）": runs today / runs so far
    kPointsTodayAndSoFar = 1, // "ポイント（今日／今まで）": points today / points so far
    kTodayPointsAndRuns = 2,  // "本日（ポイント／回数）": points today / runs today
    kSoFarPointsAndRuns = 3,  // "今まで（ポイント／回数）": points so far / runs so far
};

// One pupil's figures, summed over levels 1..35 of the statistics tables.
struct PupilFigures {
    int64_t runsToday = 0;
    int64_t pointsToday = 0;
    int64_t runsSoFar = 0;
    int64_t pointsSoFar = 0;
};
PupilFigures pupilFigures(const PupilStatistics& stats, int pupil);

// Fixed-width figure texts; a number longer than its field loses its leading digits.
QString runsTodayText(int64_t n);   // "  5回" (3 + "回"), 0: five spaces
QString pointsTodayText(int64_t n); // "  11" (4), 0: two spaces and an ideographic space
QString runsSoFarText(int64_t n); // "   12回" (5 + "回"), 0: five spaces and an ideographic space
QString pointsSoFarText(int64_t n); // "     11" (7), 0: seven spaces

struct FigureTexts {
    QString first;
    QString second;
};
// The two figures of a row for `displayMode` 0..3; both empty for any other mode.
FigureTexts figureTexts(int displayMode, const PupilFigures& figures);

// W of the padding rule.
int paddingWidth(int displayMode, bool kindergarten);

struct NameRow {
    int pupil = 0;
    int birthYear = 0;
    int grade = 0; // G, for the grade-group filter
    QString sortText;
    QString companionText;
    QString visibleRow;
};

// The row of one listed pupil. `trimmedName` is the roster name without its padding; a "*" in
// it becomes "＊" in the row texts, because the companion text marks the pupil number with the
// first "*".
NameRow makeNameRow(int pupil, int birthYear, int schoolYear, const QString& trimmedName,
                    int displayMode, const PupilFigures& figures);

// Ascending by sort text under the Japanese, case-insensitive collation (the sorted list box's
// comparison); rows that compare equal keep their order.
void sortNameRows(std::vector<NameRow>& rows);

} // namespace zanfolio
