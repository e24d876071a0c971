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

struct RunLineFormat {
    RunListView view = RunListView::AllRuns;
    RunLineMode mode = RunLineMode::Time;
    std::vector<QString> names; // name5 by pupil
    std::vector<QString> marks; // by pupil
    std::array<int, kLevelSlots> standardTimes{};
};

QString RunLines::operator[](qsizetype i) const {
    const RunRow& r = rows_[size_t(i)];
    const RunLineFormat& f = *format_;
    if (f.view == RunListView::Personal)
        return personalLine(r.date, r.timeOfDay, r.time);
    const QString& mark = f.marks[size_t(r.pupil)];
    const QString& name = f.names[size_t(r.pupil)];
    // The lists show the base points: the level's multiplier is never applied here.
    const int points = basePoints(f.standardTimes[size_t(level_)], r.time);
    if (f.view == RunListView::Today)
        return runLine(RunLineMode::Time, r.time, todayTimeField(r.timeOfDay), mark, name, points);
    return runLine(f.mode, r.time, monthDayField(r.date), mark, name, points);
}

QStringList RunLines::toStringList() const {
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out << (*this)[i];
    return out;
}

// Takes the records of a view one by one and keeps the runs of its lists.
class RunListBuilder {
  public:
    RunListBuilder(const RunListParts& parts, const QDateTime& now, const RunListRequest& request)
        : parts_(parts), request_(request), today_(dayCount(now.date())),
          present_(presentMoment(now)),
          levelCount_(std::clamp(parts.program.LevelCount, 0, kMaxLevel)) {
        switch (request.view) {
        case RunListView::Today:
            lists_.title = QStringLiteral("本日の成績");
            break;
        case RunListView::AllRuns:
            lists_.dateWindowDays =
                DateWindowDays(request.dateWindowChoice, weekdayFromSunday(now.date()));
            lists_.dateWindowBoxShown = true;
            untilNow_ = request.dateWindowChoice == kUntilNowChoice;
            break;
        case RunListView::Personal:
            lists_.dateWindowDays = kPersonalWindowDays;
            lists_.title = QStringLiteral("個人別ﾀｲﾑ");
            break;
        }
        auto format = std::make_shared<RunLineFormat>();
        format->view = request.view;
        format->mode = request.mode;
        format->names.resize(kPupilSlots);
        format->marks.resize(kPupilSlots);
        for (int pupil = 0; pupil <= kMaxPupil; ++pupil) {
            const int g = pupilGradeNumber(parts.roster, pupil);
            grades_[size_t(pupil)] = g;
            format->names[size_t(pupil)] =
                runListNameField(parts.roster.RosterNames[size_t(pupil)]);
            format->marks[size_t(pupil)] = pupilMark(parts.signedIn, pupil, g);
        }
        for (int level = 0; level < kLevelSlots; ++level)
            format->standardTimes[size_t(level)] = parts.criteria.StandardTime[size_t(level)];
        for (int level = 0; level < kLevelSlots; ++level) {
            lists_.levels[size_t(level)].level_ = level;
            lists_.levels[size_t(level)].format_ = format;
        }
    }

    void clear() {
        for (RunLines& lines : lists_.levels)
            lines.rows_.clear();
    }

    void add(const ResultsRecord& r) {
        const int level = r.level;
        const int pupil = r.pupil;
        if (level < 1 || level > levelCount_ || pupil < 0 || pupil > kMaxPupil)
            return;
        if (request_.view == RunListView::Today) {
            if (r.date != today_)
                return;
        } else if (!untilNow_ && !inDayWindow(r.date, present_, lists_.dateWindowDays)) {
            return;
        }
        if (request_.view == RunListView::Personal && pupil != parts_.signedIn)
            return;
        if (!passesGradeGroup(request_.groupText, grades_[size_t(pupil)]))
            return;
        lists_.levels[size_t(level)].rows_.push_back(
            {r.date, r.timeOfDay, qint32(r.time), qint16(pupil)});
    }

    // The lists, with the runs in the order given (reversed when they came newest first).
    RunLists finish(bool newestFirst) {
        if (newestFirst)
            for (RunLines& lines : lists_.levels)
                std::reverse(lines.rows_.begin(), lines.rows_.end());
        return std::move(lists_);
    }

  private:
    const RunListParts& parts_;
    const RunListRequest& request_;
    double today_;
    double present_;
    int levelCount_;
    bool untilNow_ = false;
    std::array<int, kPupilSlots> grades_{};
    RunLists lists_;
};

double runListFirstDay(const RunListRequest& request, const QDate& today) {
    int days = 1;
    switch (request.view) {
    case RunListView::Today:
        break;
    case RunListView::AllRuns:
        if (request.dateWindowChoice == kUntilNowChoice)
            return 0;
        days = DateWindowDays(request.dateWindowChoice, weekdayFromSunday(today));
        break;
    case RunListView::Personal:
        days = kPersonalWindowDays;
        break;
    }
    return dayCount(today.addDays(-(days - 1)));
}

RunLists BuildRunLists(const RunListParts& parts, const std::vector<ResultsRecord>& records,
                       int firstRecordNumber, const QDateTime& now, const RunListRequest& request) {
    RunListBuilder builder(parts, now, request);
    for (const ResultsRecord& r : records)
        builder.add(r);
    RunLists out = builder.finish(false);
    out.firstRecordNumber = firstRecordNumber;
    return out;
}

Result<RunLists> ReadRunLists(const RunListParts& parts, ResultsFile& file, const Clock& clock,
                              const RunListRequest& request) {
    const QDateTime now = clock.now();
    RunListBuilder builder(parts, now, request);
    Result<WindowScan> scan = file.visitSince(
        runListFirstDay(request, now.date()), [&] { builder.clear(); },
        [&](const ResultsRecord& r) { builder.add(r); });
    if (!scan)
        return scan.error();
    RunLists lists = builder.finish(true);
    lists.firstRecordNumber = scan->firstRecordNumber;
    lists.recordCount = scan->recordCount;
    lists.bytesRead = scan->bytesRead;
    return lists;
}

} // namespace zanfolio
