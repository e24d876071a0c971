#pragma once
// The evaluation screen `FrmSyuuryou` without its form: from the state after the run's
// record was appended and a fresh statistics pass, everything its activation shows and plays
// and what its 500 ms timer then offers. lv = CurrentLevel, pp = CurrentStudent,
// T = RecordedTime (99999 after a time-out).

#include "frame/programdefinition.h"
#include "results/criteria.h"
#include "results/recordrun.h"
#include "results/statistics.h"
#include "roster/session.h"

#include <QString>
#include <vector>

namespace zanfolio {

// Cleared: WindowPoints ≥ TargetPoints and WindowRunCounts ≥ TargetCount (this run counted).
bool isLevelCleared(const CriteriaTable& criteria, const PupilStatistics& stats, int level,
                    int pupil);
// Overused: a limit that is not 0 or empty (禁回, 禁点) reached within the overuse window.
bool isLevelOverused(const CriteriaTable& criteria, const PupilStatistics& stats, int level,
                     int pupil);
// Some level 1..35 carries the marker TargetCount = 9999: the program then has no final goal
// to congratulate on.
bool someLevelWithoutTarget(const CriteriaTable& criteria);

enum class OutcomeLine {
    None,            // Label20 stays hidden
    TimedOut,        // "時間切れ"
    NewPersonalBest, // "新記録おめでとう"
    NewOverallBest, // "！！！最高新記録！！！" (also when it is a personal best as well)
};
QString outcomeLineText(OutcomeLine line);

// The sounds of the activation, played in order, each to its end.
enum class EvaluationSound {
    PersonalBest, // PlayPersonalBestSound (role "自己最高音2")
    OverallBest,  // PlayOverallBestSound ("最高1.wav")
    Fail,         // PlayFailSound (role "不合格音1"): no record, T within the minimum line
    Pass,         // PlayPassSound ("合格.wav"): the target level cleared for the first time
};

// What the Timer1 tick offers. Before it, both buttons are hidden.
struct EvaluationButtons {
    bool Command4 = true;  // "メニューへ", with the focus
    bool Command5 = false; // "もう一度"
    bool Label2Visible = false;
    QString Label2; // "このレベルクリア", "次のレベルへ進みましょう" or empty
};

struct Evaluation {
    bool cleared = false;
    bool overused = false;
    int basePoints = 0;  // P, from T itself (not its first three digits)
    int finalPoints = 0; // F = Int(PointMultiplier × P)

    bool Label2Visible = false; // "このレベルクリア"
    bool Picture1Visible = false; // "目標レベルクリア。おめでとう！" until the tick hides it
    QString Label19;              // "獲得ポイント：11点×1.5→16点"
    QString Label18;              // "今の成績：45秒" or "記録なし"
    QString Label17;              // the pupil's name, trimmed
    QString Label15;              // ProgramTitle
    QString Label16;              // the level's name
    QString Label13;              // " (このレベル　3回目)"
    QString Label14;              // "（5回目)", runs today over levels 1..35
    OutcomeLine outcome = OutcomeLine::None;
    QString Label20; // outcomeLineText(outcome), shown before the sounds
    std::vector<EvaluationSound> sounds;

    EvaluationButtons afterTimer;
};

// The activation: computes the screen, sets TodayRunTotal and consumes the outcome flags
// (NewPersonalBest and NewOverallBest become 0; ClearedBefore and RecordedTime stay).
// What it reads: the run's pupil and level, its outcome, the pupil's statistics and the
// level's criteria and name.
struct RunParts {
    const ProgramDefinition& program;
    const CriteriaTable& criteria;
    const PupilStatistics& stats;
    const Session& session;
    RunOutcome& outcome;
};
Evaluation EvaluateRun(const RunParts& parts);

} // namespace zanfolio
