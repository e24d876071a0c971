#pragma once
// `FillChartPupilList`: the chart's pupil list List2, built from "新名簿.txt" each time the
// personal list is built, so that it shows the roster as it stands. Every roster line
// registers the pupil's trimmed name, birth year and grade label in the roster tables; every
// line with status 0 adds the entry  grade label " /  " name "/" pupil number.  The chart
// takes the pupil number back from the text after the last "/".
//
// The grade is G = SchoolYear − birth year − 6 with the school year of the present date, as
// everywhere else in the program. (The list once took one more year off before the month in
// which the school year starts, on top of the school year's own correction, and so labelled
// every pupil a grade too low from January to March.) A G outside 0..10 leaves the pupil's
// earlier label in place.

#include "frame/clock.h"
#include "frame/installation.h"
#include "frame/result.h"
#include "roster/rostertables.h"

#include <QString>
#include <QStringList>

namespace zanfolio {

Result<QStringList> FillChartPupilList(RosterTables& roster, const Installation& installation,
                                       const Clock& clock);

// The pupil number of a List2 entry (the number after the last "/"); 0 when there is none.
int chartListPupil(const QString& entry);

} // namespace zanfolio
