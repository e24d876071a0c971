#include "results/recordrun.h"

#include "frame/daycount.h"

namespace zanfolio {

ResultsRecord makeRunRecord(const SharedState& state, const QDateTime& now) {
    ResultsRecord r;
    r.date = dayCount(now.date());
    r.timeOfDay = dayFraction(now.time());
    r.pupil = int16_t(state.CurrentStudent);
    r.level = int16_t(state.CurrentLevel);
    r.time = state.RecordedTime;
    r.schoolCode = ResultsRecord::textField(state.SchoolCode.toText());
    r.secondText = ResultsRecord::textField(QString());
    r.pointsText = ResultsRecord::textField(QStringLiteral("0"));
    return r;
}

Status AppendResultsRecord(const SharedState& state, ResultsFile& file, const Clock& clock) {
    return file.append(makeRunRecord(state, clock.now()));
}

Status RecordRun(SharedState& state, int level, ResultsFile& file, const Clock& clock) {
    const int pupil = state.CurrentStudent;
    const int time = state.RecordedTime;
    const size_t cl = size_t(state.CurrentLevel);
    const CriteriaTable& c = state.Criteria;
    PupilStatistics& s = state.Stats;
    state.ClearedBefore = s.TotalRunCounts(state.CurrentLevel, pupil) >= c.TargetCount[cl] &&
                                  s.TotalPoints(state.CurrentLevel, pupil) >= c.TargetPoints[cl]
                              ? 1
                              : 0;
    if (s.PersonalBestTimes(level, pupil) > time) {
        state.NewPersonalBest = 1;
        s.PersonalBestTimes(level, pupil) = time;
    }
    Status appended = AppendResultsRecord(state, file, clock);
    if (!appended)
        return appended;
    if (s.OverallBestTimes[size_t(level)] > time) {
        s.OverallBestTimes[size_t(level)] = time;
        state.NewOverallBest = 1;
    }
    return Ok{};
}

} // namespace zanfolio
