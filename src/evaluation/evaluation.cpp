#include "evaluation/evaluation.h"

#include "frame/points.h"
#include "results/statistics.h"

namespace zanfolio {

namespace {
constexpr int kNoTargetMarker = 9999;
constexpr int kLastRecordedTime = 99997; // above it the run has no time to show
} // namespace

bool isLevelCleared(const CriteriaTable& c, const PupilStatistics& st, int lv, int pp) {
    const size_t l = size_t(lv);
    return st.WindowPoints(lv, pp) >= c.TargetPoints[l] &&
           st.WindowRunCounts(lv, pp) >= c.TargetCount[l];
}

bool isLevelOverused(const CriteriaTable& c, const PupilStatistics& st, int lv, int pp) {
    const size_t l = size_t(lv);
    const Untyped& runs = c.OveruseRunLimit[l];
    const Untyped& points = c.OverusePointLimit[l];
    return (!runs.isZeroOrEmpty() && st.OveruseRunCounts(lv, pp) >= runs.toNumber()) ||
           (!points.isZeroOrEmpty() && st.OverusePoints(lv, pp) >= points.toNumber());
}

bool someLevelWithoutTarget(const CriteriaTable& c) {
    for (int level = 1; level <= kMaxLevel; ++level)
        if (c.TargetCount[size_t(level)] == kNoTargetMarker)
            return true;
    return false;
}

QString outcomeLineText(OutcomeLine line) {
    switch (line) {
    case OutcomeLine::TimedOut:
        return QStringLiteral("時間切れ");
    case OutcomeLine::NewPersonalBest:
        return QStringLiteral("新記録おめでとう");
    case OutcomeLine::NewOverallBest:
        return QStringLiteral("！！！最高新記録！！！");
    case OutcomeLine::None:
        break;
    }
    return {};
}

Evaluation EvaluateRun(const RunParts& s) {
    const int lv = s.session.CurrentLevel;
    const int pp = s.session.CurrentStudent;
    const int t = s.outcome.RecordedTime;
    const size_t l = size_t(lv);
    const bool isTarget = lv == int(s.program.TargetLevel.toNumber());
    const float multiplier = s.criteria.PointMultiplier[l];

    Evaluation e;
    e.cleared = isLevelCleared(s.criteria, s.stats, lv, pp);
    e.overused = isLevelOverused(s.criteria, s.stats, lv, pp);
    e.Label2Visible = e.cleared;
    e.Picture1Visible = e.cleared && isTarget && !someLevelWithoutTarget(s.criteria);

    e.basePoints = basePoints(s.criteria.StandardTime[l], t, PointsTime::Exact);
    e.finalPoints = multipliedPoints(e.basePoints, multiplier);
    e.Label19 = QStringLiteral("獲得ポイント：%1点×%2→%3点")
                    .arg(e.basePoints)
                    .arg(shortestNumberText(double(multiplier)))
                    .arg(e.finalPoints);
    e.Label18 = t > kLastRecordedTime ? QStringLiteral("記録なし")
                                      : QStringLiteral("今の成績：%1秒").arg(t);
    e.Label17 = s.session.StudentName.trimmed();
    e.Label15 = s.program.ProgramTitle;
    e.Label16 = s.program.LevelNames[l];
    e.Label13 = QStringLiteral(" (このレベル　%1回目)").arg(s.stats.TodayRunCounts(lv, pp));
    const int today = SumTodayRunCounts(s.stats, pp, kMaxLevel);
    s.outcome.TodayRunTotal = today;
    e.Label14 = QStringLiteral("（%1回目)").arg(today);

    if (s.outcome.TimedOut == 1) {
        e.outcome = OutcomeLine::TimedOut;
    } else if (s.outcome.NewPersonalBest == 1 && s.outcome.NewOverallBest != 1) {
        e.outcome = OutcomeLine::NewPersonalBest;
        e.sounds.push_back(EvaluationSound::PersonalBest);
    } else if (s.outcome.NewOverallBest == 1) {
        e.outcome = OutcomeLine::NewOverallBest;
        e.sounds.push_back(EvaluationSound::OverallBest);
    } else if (t <= s.criteria.MinimumLineTime[l]) {
        e.sounds.push_back(EvaluationSound::Fail);
    }
    e.Label20 = outcomeLineText(e.outcome);
    // The pass sound greets the first clearing of the final goal only; ClearedBefore comes
    // from the statistics before this run was recorded.
    if (isTarget && e.cleared && s.outcome.ClearedBefore == 0)
        e.sounds.push_back(EvaluationSound::Pass);

    s.outcome.NewPersonalBest = 0;
    s.outcome.NewOverallBest = 0;

    EvaluationButtons& b = e.afterTimer;
    b.Label2Visible = e.Label2Visible;
    b.Label2 = QStringLiteral("このレベルクリア");
    b.Command5 = !e.overused;
    if (e.overused && e.cleared) {
        if (isTarget) {
            b.Label2.clear();
            b.Label2Visible = false;
            b.Command5 = true;
        } else {
            // Practised enough after clearing: only the way back to the menu is offered.
            b.Label2 = QStringLiteral("次のレベルへ進みましょう");
            b.Command5 = false;
        }
    } else if (e.overused) {
        b.Command5 = true;
    }
    return e;
}

} // namespace zanfolio
