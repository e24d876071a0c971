#include "menu/runlists.h"

#include "frame/daycount.h"
#include "frame/localetexts.h"
#include "frame/points.h"
#include "menu/datewindow.h"
#include "menu/gradegroups.h"
#include "menu/textparts.h"

#include <algorithm>

namespace zanfolio {

namespace {

const QString kSixSpaces = QStringLiteral("      ");

QString pad(const QString& x, qsizetype k) {
    return lastChars(kSixSpaces, x, k);
}

int tailFor(RunListView view) {
    return view == RunListView::Today ? kTodayListRecords : kRunListRecords;
}

} // namespace

QString runTimeText(long long t) {
    return QString::number(t) + QStringLiteral("秒");
}

QString runListNameField(const QString& rosterName) {
    return (trimmedSpaces(rosterName) + QStringLiteral("　　　　")).left(5);
}

QString todayTimeField(double timeOfDay) {
    return lastChars(QStringLiteral("00"), shortTimeText(timeOfDay), 8).left(5);
}

QString monthDayField(double date) {
    return shortDateText(date).right(5);
}

QString runLine(RunLineMode mode, long long t, const QString& d, const QString& mark,
                const QString& name5, int points) {
    if (t >= kFailedRunFrom)
        return QStringLiteral("　　× ") + d + mark + name5 + mark;
    if (mode == RunLineMode::Time)
        return pad(runTimeText(t), 5) + QStringLiteral(" ") + d + mark + name5 + mark +
               QString::number(points);
    return pad(QString::number(points), 5) + QStringLiteral(" ") + d + mark + name5 + mark +
           runTimeText(t);
}

QString personalLine(double date, double timeOfDay, long long t) {
    const QString when =
        shortDateText(date).right(10) + QStringLiteral(" ") + shortTimeText(timeOfDay).right(10);
    return t >= kFailedRunFrom ? when : when + pad(runTimeText(t), 5);
}

RunLists BuildRunLists(const SharedState& state, const std::vector<ResultsRecord>& records,
                       int firstRecordNumber, const QDateTime& now, const RunListRequest& request) {
    RunLists out;
    out.firstRecordNumber = firstRecordNumber;
    const double today = dayCount(now.date());
    const double present = presentMoment(now);
    const int levelCount = std::clamp(state.LevelCount, 0, kMaxLevel);

    switch (request.view) {
    case RunListView::Today:
        out.title = QStringLiteral("本日の成績");
        break;
    case RunListView::AllRuns:
        out.dateWindowDays =
            DateWindowDays(request.dateWindowChoice, weekdayFromSunday(now.date()));
        out.dateWindowBoxShown = true;
        break;
    case RunListView::Personal:
        out.dateWindowDays = kPersonalWindowDays;
        out.title = QStringLiteral("個人別ﾀｲﾑ");
        break;
    }

    for (const ResultsRecord& r : records) {
        const int level = r.level;
        const int pupil = r.pupil;
        if (level < 1 || level > levelCount || pupil < 0 || pupil > kMaxPupil)
            continue;
        if (request.view == RunListView::Today) {
            if (r.date != today)
                continue;
        } else if (!inDayWindow(r.date, present, out.dateWindowDays)) {
            continue;
        }
        if (request.view == RunListView::Personal && pupil != state.CurrentStudent)
            continue;
        const int g = pupilGradeNumber(state, pupil);
        if (!passesGradeGroup(request.groupText, g))
            continue;

        QStringList& lines = out.levels[size_t(level)];
        if (request.view == RunListView::Personal) {
            lines << personalLine(r.date, r.timeOfDay, r.time);
            continue;
        }
        const QString mark = pupilMark(state, pupil, g);
        const QString name = runListNameField(state.RosterNames[size_t(pupil)]);
        // The lists show the base points: the level's multiplier is never applied here.
        const int points = basePoints(state.Criteria.StandardTime[size_t(level)], r.time);
        if (request.view == RunListView::Today)
            lines << runLine(RunLineMode::Time, r.time, todayTimeField(r.timeOfDay), mark, name,
                             points);
        else
            lines << runLine(request.mode, r.time, monthDayField(r.date), mark, name, points);
    }
    return out;
}

Result<RunLists> ReadRunLists(const SharedState& state, ResultsFile& file, const Clock& clock,
                              const RunListRequest& request) {
    Result<ResultsTail> tail = file.readTail(tailFor(request.view));
    if (!tail)
        return tail.error();
    RunLists lists =
        BuildRunLists(state, tail->records, tail->firstRecordNumber, clock.now(), request);
    lists.recordCount = tail->recordCount;
    return lists;
}

} // namespace zanfolio
