#pragma once
// The three run lists of the results menu, built from the results file: today's list
// (`Command5`, the last 1000 records), the all-runs list (`Command7`) and the personal list
// (`Command16`), both over the last 20000 records. Each run that passes the list's selection
// becomes one line in the list of its level; records are visited in file order, so every
// list shows the oldest run first.
//
// Levels without a column (below 1 or above LevelCount) and pupil numbers outside the tables
// are skipped by every list; the installations stopped with an error on some of them.

#include "frame/clock.h"
#include "frame/result.h"
#include "frame/sharedstate.h"
#include "results/resultsfile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace zanfolio {

enum class RunListView {
    Today,    // "本日の成績": today's runs, the time of day in place of the date
    AllRuns,  // every run within the date window
    Personal, // "個人別ﾀｲﾑ": the signed-in pupil's runs of the last ten years
};

// The line layout of the all-runs list (ResultsDisplayMode 1 and 2). Today's list always
// uses the time layout; the personal list has its own lines.
enum class RunLineMode { Time, Points };

inline constexpr int kTodayListRecords = 1000;
inline constexpr int kRunListRecords = 20000;
inline constexpr int kPersonalWindowDays = 3650;

struct RunListRequest {
    RunListView view = RunListView::AllRuns;
    int dateWindowChoice = 3; // DateWindowChoice 1..5, the all-runs list only
    RunLineMode mode = RunLineMode::Time;
    QString groupText = QStringLiteral("全学年"); // the grade-group box's text
};

struct RunLists {
    std::array<QStringList, kLevelSlots> levels{}; // lines of levels 1..LevelCount
    QString title;                                 // Label5 ("" for the all-runs list)
    bool dateWindowBoxShown = false;               // Combo2 shows with the all-runs list only
    int dateWindowDays = 0;    // DateWindowDays the list used (0 for today's list)
    int firstRecordNumber = 1; // the first record the scan looked at
    int recordCount = 0;       // whole records in the file
};

// The lists from records already read (`firstRecordNumber` is the number of records[0]); the
// caller passes the tail the view reads (see ReadRunLists). `now` is the present moment.
RunLists BuildRunLists(const SharedState& state, const std::vector<ResultsRecord>& records,
                       int firstRecordNumber, const QDateTime& now, const RunListRequest& request);

// Reads the view's tail of the results file in one read and builds the lists. The current
// pupil is state.CurrentStudent.
Result<RunLists> ReadRunLists(const SharedState& state, ResultsFile& file, const Clock& clock,
                              const RunListRequest& request);

// Line parts and lines, exposed for the chart and the tests. t is the run time in seconds;
// t >= 90000 is a failed run (time-out), shown without time and points.
inline constexpr int kFailedRunFrom = 90000;
QString runTimeText(long long t);                    // "83秒"
QString runListNameField(const QString& rosterName); // both ends trimmed, 5 characters
QString todayTimeField(double timeOfDay);            // "09:05" from 9:05:07
QString monthDayField(double date);                  // "05/12" from 2004/05/12
QString runLine(RunLineMode mode, long long t, const QString& d, const QString& mark,
                const QString& name5, int points);
QString personalLine(double date, double timeOfDay, long long t);

} // namespace zanfolio
