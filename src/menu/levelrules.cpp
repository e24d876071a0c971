#include "menu/levelrules.h"

#include "frame/programdefinition.h"
#include "menu/textparts.h"

#include <algorithm>
#include <cmath>

namespace zanfolio {

namespace {
constexpr int kNoTarget = 9999;
}

bool LevelCleared(const SharedState& state, int level) {
    if (level < 0 || level > kMaxLevel)
        return false;
    const int p = state.CurrentStudent;
    const size_t l = size_t(level);
    return state.Stats.WindowPoints(level, p) >= state.Criteria.TargetPoints[l] &&
           state.Stats.WindowRunCounts(level, p) >= state.Criteria.TargetCount[l];
}

bool LevelOverused(const SharedState& state, int level) {
    if (level < 1 || level > kMaxLevel)
        return false;
    const int p = state.CurrentStudent;
    const size_t l = size_t(level);
    const double runLimit = state.Criteria.OveruseRunLimit[l].toNumber();
    const double pointLimit = state.Criteria.OverusePointLimit[l].toNumber();
    return (runLimit != 0 && state.Stats.OveruseRunCounts(level, p) >= runLimit) ||
           (pointLimit != 0 && state.Stats.OverusePoints(level, p) >= pointLimit);
}

LevelButtons ApplyLevelRules(const SharedState& state) {
    LevelButtons out;
    const double target = state.TargetLevel.toNumber();
    out.lastLevelCleared = target == std::floor(target) && LevelCleared(state, int(target));

    const int count = std::clamp(state.LevelCount, 0, kMaxLevel);
    if (count >= 1)
        out.enabled[1] = true;
    const bool allOpen = state.AllLevelsOpen.toNumber() == 1;
    const bool teacherNamedSensei = trimmedSpaces(state.StudentName) == QStringLiteral("先生");
    bool blocked = false;
    for (int level = 1; level <= count; ++level) {
        const size_t l = size_t(level);
        const bool practice = isPracticeLevel(state, level);
        if (practice)
            out.enabled[l] = true;
        const bool nextWithoutTarget =
            level < kMaxLevel && state.Criteria.TargetPoints[l + 1] == kNoTarget;
        const bool passable = nextWithoutTarget || allOpen || teacherNamedSensei ||
                              LevelCleared(state, level) || (!blocked && practice);
        if (passable && level < count) {
            out.enabled[l + 1] = true;
            out.notice[l + 1] = false;
            if (!out.lastLevelCleared && !practice && LevelOverused(state, level)) {
                out.enabled[l] = false;
                out.notice[l] = true;
            } else {
                out.notice[l] = false;
            }
        }
        if (!passable)
            blocked = true;
    }
    return out;
}

} // namespace zanfolio
