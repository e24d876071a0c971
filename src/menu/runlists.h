#pragma once
// The three run lists of the results menu, built from the results file: today's list
// (`Command5`), the all-runs list (`Command7`) and the personal list (`Command16`). Each shows
// the window it names: today's runs, the runs of the chosen date window (this week, since last
// week, one month, one year; "今までの全成績" every run the file holds), the signed-in pupil's
// runs of the last ten years. The file is read back from its end to the window's first day
// (results/windowread.h), whatever the history before it; each run that passes the list's
// selection becomes one line in the list of its level, oldest first.
//
// A list may hold millions of runs ("今まで" after ten years): each keeps a compact row per run
// and makes a line only when it is shown (RunLines).
//
// Levels without a column (below 1 or above LevelCount) and pupil numbers outside the tables
// are skipped by every list; the installations stopped with an error on some of them.

#include "frame/clock.h"
#include "frame/programdefinition.h"
#include "frame/result.h"
#include "results/criteria.h"
#include "results/resultsfile.h"
#include "roster/rostertables.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
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

inline constexpr int kPersonalWindowDays = 3650;
// DateWindowChoice of "今までの全成績": every run, whatever its date.
inline constexpr int kUntilNowChoice = 5;

struct RunListRequest {
    RunListView view = RunListView::AllRuns;
    int dateWindowChoice = 3; // DateWindowChoice 1..5, the all-runs list only
    RunLineMode mode = RunLineMode::Time;
    QString groupText = QStringLiteral("全学年"); // the grade-group box's text
};

// One run of a list.
struct RunRow {
    double date = 0;
    double timeOfDay = 0;
    qint32 time = 0;
    qint16 pupil = 0;
};

// What makes a list's lines (the names, marks and standard times at the time of the build).
struct RunLineFormat;

// The lines of one level's list, made as they are asked for.
class RunLines {
  public:
    qsizetype size() const { return qsizetype(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    QString operator[](qsizetype i) const;
    QStringList toStringList() const;

    class const_iterator {
      public:
        const_iterator(const RunLines* lines, qsizetype i) : lines_(lines), i_(i) {}
        QString operator*() const { return (*lines_)[i_]; }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator!=(const const_iterator& o) const { return i_ != o.i_; }

      private:
        const RunLines* lines_;
        qsizetype i_;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const RunLines& a, const QStringList& b) {
        return a.toStringList() == b;
    }

  private:
    friend class RunListBuilder;
    std::vector<RunRow> rows_;
    int level_ = 0;
    std::shared_ptr<const RunLineFormat> format_;
};

struct RunLists {
    std::array<RunLines, kLevelSlots> levels{}; // lines of levels 1..LevelCount
    QString title;                              // Label5 ("" for the all-runs list)
    bool dateWindowBoxShown = false;            // Combo2 shows with the all-runs list only
    int dateWindowDays = 0;                     // DateWindowDays the list used (0 for today's list)
    int firstRecordNumber = 1;                  // the first record the scan looked at
    int recordCount = 0;                        // whole records in the file
    qint64 bytesRead = 0;
};

// The first day (a day count) the view shows; 0 for every run.
double runListFirstDay(const RunListRequest& request, const QDate& today);

// The lists from records already read, in file order (`firstRecordNumber` is the number of
// records[0]). `now` is the present moment.
// What the lists read: the levels offered, their standard times, the pupils' names and grades,
// and the pupil signed in (CurrentStudent: the personal view and the "●" mark).
struct RunListParts {
    const ProgramDefinition& program;
    const CriteriaTable& criteria;
    const RosterTables& roster;
    int signedIn = 0;
};

RunLists BuildRunLists(const RunListParts& parts, const std::vector<ResultsRecord>& records,
                       int firstRecordNumber, const QDateTime& now, const RunListRequest& request);

// Reads the results file back to the view's first day and builds the lists.
Result<RunLists> ReadRunLists(const RunListParts& parts, ResultsFile& file, const Clock& clock,
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
