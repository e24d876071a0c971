#include "app/sharedstate.h"
#include "menu/levelrules.h"
#include "menu/menufixture.h"

#include <functional>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

constexpr int kPupil = 7;

void clear(SharedState& s, int level) {
    s.Stats.WindowPoints(level, kPupil) = 30;
    s.Stats.WindowRunCounts(level, kPupil) = 5;
}
void overuseRuns(SharedState& s, int level, Untyped limit, int runs) {
    s.Criteria.OveruseRunLimit[size_t(level)] = limit;
    s.Stats.OveruseRunCounts(level, kPupil) = runs;
}

struct RulesCase {
    const char* name;
    std::function<void(SharedState&)> setUp;
    std::vector<int> enabled; // levels 1..5 whose button is enabled
    std::vector<int> notices; // levels showing "やりすぎ禁止"
    bool lastLevelCleared = false;
};

TEST(LevelRules, Cases) {
    auto closed = [](SharedState& s) { s.program.AllLevelsOpen = 0; };
    const RulesCase cases[] = {
        {"every level open", [](SharedState&) {}, {1, 2, 3, 4, 5}, {}},
        {"closed, nothing cleared", closed, {1}, {}},
        {"closed, level 1 cleared",
         [&](SharedState& s) {
             closed(s);
             clear(s, 1);
         },
         {1, 2},
         {}},
        {"closed, level 1 cleared by more than the target",
         [&](SharedState& s) {
             closed(s);
             s.Stats.WindowPoints(1, kPupil) = 31;
             s.Stats.WindowRunCounts(1, kPupil) = 9;
         },
         {1, 2},
         {}},
        {"closed, points reached but runs short",
         [&](SharedState& s) {
             closed(s);
             s.Stats.WindowPoints(1, kPupil) = 40;
             s.Stats.WindowRunCounts(1, kPupil) = 4;
         },
         {1},
         {}},
        {"closed, level 3 without target opens from level 2",
         [&](SharedState& s) {
             closed(s);
             s.Criteria.TargetPoints[3] = 9999;
         },
         {1, 3},
         {}},
        {"closed, a practice level opens itself and the next while nothing blocks",
         [&](SharedState& s) {
             closed(s);
             clear(s, 1);
             s.program.LevelNames[2] = QStringLiteral("レベル２練習");
         },
         {1, 2, 3},
         {}},
        {"closed, a practice level after a blocked one opens only itself",
         [&](SharedState& s) {
             closed(s);
             s.program.LevelNames[3] = QStringLiteral("レベル３練習");
         },
         {1, 3},
         {}},
        {"closed, the entry named 先生 opens every level",
         [&](SharedState& s) {
             closed(s);
             s.session.StudentName = QStringLiteral("先生                ");
         },
         {1, 2, 3, 4, 5},
         {}},
        {"overused level 2 is closed with the notice",
         [](SharedState& s) { overuseRuns(s, 2, 10, 10); },
         {1, 3, 4, 5},
         {2}},
        {"just below the limit stays open",
         [](SharedState& s) { overuseRuns(s, 2, 10, 9); },
         {1, 2, 3, 4, 5},
         {}},
        {"the 先生 entry is closed out of an overused level too",
         [](SharedState& s) {
             s.session.StudentName = QStringLiteral("先生");
             overuseRuns(s, 2, 10, 12);
         },
         {1, 3, 4, 5},
         {2}},
        {"overused but the target level cleared",
         [](SharedState& s) {
             overuseRuns(s, 2, 10, 10);
             clear(s, 5);
         },
         {1, 2, 3, 4, 5},
         {},
         true},
        {"point limit reached",
         [](SharedState& s) {
             s.Criteria.OverusePointLimit[1] = 100;
             s.Stats.OverusePoints(1, kPupil) = 100;
         },
         {2, 3, 4, 5},
         {1}},
        {"a limit of 0 is off",
         [](SharedState& s) { overuseRuns(s, 2, 0, 50); },
         {1, 2, 3, 4, 5},
         {}},
        {"an empty limit is off",
         [](SharedState& s) { overuseRuns(s, 2, Untyped(), 50); },
         {1, 2, 3, 4, 5},
         {}},
        {"the last level is never closed",
         [](SharedState& s) { overuseRuns(s, 5, 3, 8); },
         {1, 2, 3, 4, 5},
         {}},
        {"overuse of a level that is not passable is not judged",
         [&](SharedState& s) {
             closed(s);
             clear(s, 1);
             overuseRuns(s, 2, 3, 8);
         },
         {1, 2},
         {}},
    };
    for (const RulesCase& c : cases) {
        SCOPED_TRACE(c.name);
        MenuState s;
        s->session.CurrentStudent = kPupil;
        s->session.StudentName = QStringLiteral("山田");
        c.setUp(*s);
        const LevelButtons b = ApplyLevelRules(s->program, s->Criteria, s->Stats, s->session);
        std::vector<int> enabled, notices;
        for (int level = 1; level <= kMaxLevel; ++level) {
            if (b.enabled[size_t(level)])
                enabled.push_back(level);
            if (b.notice[size_t(level)])
                notices.push_back(level);
        }
        EXPECT_EQ(enabled, c.enabled);
        EXPECT_EQ(notices, c.notices);
        EXPECT_EQ(b.lastLevelCleared, c.lastLevelCleared);
    }
}

TEST(LevelRules, OverusedLevelOpensAgainOnceTheTargetLevelIsCleared) {
    MenuState s;
    s->session.CurrentStudent = kPupil;
    overuseRuns(*s, 2, 10, 10);
    EXPECT_FALSE(ApplyLevelRules(s->program, s->Criteria, s->Stats, s->session).enabled[2]);
    clear(*s, 5);
    const LevelButtons b = ApplyLevelRules(s->program, s->Criteria, s->Stats, s->session);
    EXPECT_TRUE(b.enabled[2]);
    EXPECT_FALSE(b.notice[2]);
}

TEST(LevelRules, PracticeLevelsOfferedTakeTheFixedTimes) {
    MenuState s;
    for (int level = 1; level <= kMaxLevel; ++level)
        s->Criteria.MinimumLineTime[size_t(level)] = 20;
    s->program.LevelNames[2] = QStringLiteral("レベル２練習");
    s->program.LevelNames[5] = QStringLiteral("練習");
    s->program.LevelNames[7] = QStringLiteral("レベル７練習"); // beyond LevelCount 5
    setPracticeLevelTimes(s->program, s->Criteria);
    for (int level = 1; level <= 8; ++level) {
        SCOPED_TRACE(level);
        const bool practice = level == 2 || level == 5;
        EXPECT_EQ(s->Criteria.StandardTime[size_t(level)], practice ? 600 : 40);
        EXPECT_EQ(s->Criteria.MinimumLineTime[size_t(level)], practice ? 600 : 20);
    }
}

} // namespace
