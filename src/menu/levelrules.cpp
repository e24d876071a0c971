#include "menu/levelrules.h"

#include "frame/programdefinition.h"
#include "menu/textparts.h"

#include <algorithm>
#include <cmath>

namespace zanfolio {

namespace {
constexpr int kNoTarget = 9999;
}

bool LevelCleared(const CriteriaTable& criteria, const PupilStatistics& stats, int p, int level) {
    if (level < 0 || level > kMaxLevel)
        return false;
    const size_t l = size_t(level);
    return stats.WindowPoints(level, p) >= criteria.TargetPoints[l] &&
           stats.WindowRunCounts(level, p) >= criteria.TargetCount[l];
}

bool LevelOverused(const CriteriaTable& criteria, const PupilStatistics& stats, int p, int level) {
    if (level < 1 || level > kMaxLevel)
        return false;
    const size_t l = size_t(level);
    const double runLimit = criteria.OveruseRunLimit[l].toNumber();
    const double pointLimit = criteria.OverusePointLimit[l].toNumber();
    return (runLimit != 0 && stats.OveruseRunCounts(level, p) >= runLimit) ||
           (pointLimit != 0 && stats.OverusePoints(level, p) >= pointLimit);
}

LevelButtons ApplyLevelRules(const ProgramDefinition& program, const CriteriaTable& criteria,
                             const PupilStatistics& stats, const Session& session) {
    LevelButtons out;
    const double target = program.TargetLevel.toNumber();
    out.lastLevelCleared = target == std::floor(target) &&
                           LevelCleared(criteria, stats, session.CurrentStudent, int(target));

    const int count = std::clamp(program.LevelCount, 0, kMaxLevel);
    if (count >= 1)
        out.enabled[1] = true;
    const bool allOpen = program.AllLevelsOpen.toNumber() == 1;
    const bool teacherNamedSensei = trimmedSpaces(session.StudentName) == QStringLiteral("先生");
    bool blocked = false;
    for (int level = 1; level <= count; ++level) {
        const size_t l = size_t(level);
        const bool practice = isPracticeLevel(program, level);
        if (practice)
            out.enabled[l] = true;
        const bool nextWithoutTarget =
            level < kMaxLevel && criteria.TargetPoints[l + 1] == kNoTarget;
        const bool passable = nextWithoutTarget || allOpen || teacherNamedSensei ||
                              LevelCleared(criteria, stats, session.CurrentStudent, level) ||
                              (!blocked && practice);
        if (passable && level < count) {
            out.enabled[l + 1] = true;
            out.notice[l + 1] = false;
            if (!out.lastLevelCleared && !practice &&
                LevelOverused(criteria, stats, session.CurrentStudent, level)) {
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

void setPracticeLevelTimes(const ProgramDefinition& program, CriteriaTable& criteria) {
    const int count = std::clamp(program.LevelCount, 0, kMaxLevel);
    for (int level = 1; level <= count; ++level) {
        if (isPracticeLevel(program, level)) {
            criteria.StandardTime[size_t(level)] = kPracticeLevelTime;
            criteria.MinimumLineTime[size_t(level)] = kPracticeLevelTime;
        }
    }
}

} // namespace zanfolio
