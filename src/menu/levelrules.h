#pragma once
// Which start buttons of the results menu a pupil may press (`Command9` without its form).
// A level opens when the level before it is passable: cleared within its clear window, or
// without target (9999 in the next level's TargetPoints), or every level open
// (AllLevelsOpen = 1, as this program sets), or the entry named exactly "先生". A passable
// level other than the last is closed again with the notice "やりすぎ禁止" while the pupil is
// over one of its overuse limits (an empty or 0 limit is off) and has not cleared the target
// level. The statistics are those of the last statistics pass, for state.session.CurrentStudent.

#include "frame/programdefinition.h"
#include "results/criteria.h"
#include "results/statistics.h"
#include "roster/session.h"

#include <QString>
#include <array>

namespace zanfolio {

inline const QString kOveruseNotice = QStringLiteral("やりすぎ禁止");

struct LevelButtons {
    std::array<bool, kLevelSlots> enabled{}; // Command4(L), L = 1..LevelCount
    std::array<bool, kLevelSlots> notice{};  // Text1(L) shown over the button with kOveruseNotice
    bool lastLevelCleared = false;           // LastLevelCleared
};

// cleared(L): WindowPoints ≥ TargetPoints and WindowRunCounts ≥ TargetCount (levels 0..35;
// any other index is not cleared).
bool LevelCleared(const CriteriaTable& criteria, const PupilStatistics& stats, int pupil,
                  int level);
// overused(L): a non-zero run limit reached by OveruseRunCounts, or a non-zero point limit
// reached by OverusePoints.
bool LevelOverused(const CriteriaTable& criteria, const PupilStatistics& stats, int pupil,
                   int level);

// The rules over every column, starting from all buttons disabled and all notices hidden (the
// menu disables every start button before applying them). The caller stores
// lastLevelCleared into LastLevelCleared. For the signed-in pupil (CurrentStudent; the name
// "先生" opens every level).
LevelButtons ApplyLevelRules(const ProgramDefinition& program, const CriteriaTable& criteria,
                             const PupilStatistics& stats, const Session& session);

// A practice level's runs are neither recorded nor timed against the criteria: the menu's
// activation sets StandardTime and MinimumLineTime of every practice level among the offered
// ones (1..LevelCount) to kPracticeLevelTime seconds, whatever the criteria file says.
inline constexpr int kPracticeLevelTime = 600;
void setPracticeLevelTimes(const ProgramDefinition& program, CriteriaTable& criteria);

} // namespace zanfolio
