#include "app/sharedstate.h"
#include "evaluation/evaluation.h"
#include "frame/programdefinition.h"

#include <gtest/gtest.h>

namespace zanfolio {
namespace {

constexpr int kPupil = 12;
constexpr int kTarget = 5;

// A pupil just back from a run on level 3 (or the target level 5), statistics fresh.
class EvaluationTest : public ::testing::Test {
  protected:
    EvaluationTest() {
        SetProgramTitle(s.program);
        DefineLevelTables(s.program);
        for (int level = 1; level <= 5; ++level) {
            const size_t l = size_t(level);
            s.Criteria.StandardTime[l] = 40;
            s.Criteria.MinimumLineTime[l] = 60;
            s.Criteria.TargetPoints[l] = 30;
            s.Criteria.TargetCount[l] = 5;
            s.Criteria.PointMultiplier[l] = 1.0f;
        }
        s.session.CurrentStudent = kPupil;
        s.session.StudentName = QStringLiteral("山田太郎            ");
        run(3, 45);
    }
    void run(int level, int seconds) {
        s.session.CurrentLevel = level;
        s.outcome.RecordedTime = seconds;
    }
    void clearLevel(int level) {
        s.Stats.WindowPoints(level, kPupil) = 30;
        s.Stats.WindowRunCounts(level, kPupil) = 5;
    }
    void overuseLevel(int level) {
        s.Criteria.OveruseRunLimit[size_t(level)] = Untyped(8);
        s.Stats.OveruseRunCounts(level, kPupil) = 8;
    }

    SharedState s;
};

TEST_F(EvaluationTest, TimedOutRunShowsNoTimeNoPointsAndPlaysNothing) {
    s.outcome.TimedOut = 1;
    run(3, kNoTime);
    const Evaluation e =
        EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
    EXPECT_EQ(e.outcome, OutcomeLine::TimedOut);
    EXPECT_EQ(e.Label20, QStringLiteral("時間切れ"));
    EXPECT_EQ(e.Label18, QStringLiteral("記録なし"));
    EXPECT_EQ(e.Label19, QStringLiteral("獲得ポイント：0点×1→0点"));
    EXPECT_TRUE(e.sounds.empty());
}

TEST_F(EvaluationTest, PointsOfTheRunJustMadeUseItsExactTime) {
    struct Case {
        int standard;
        int seconds;
        float multiplier;
        int base;
        int final;
    };
    const Case cases[] = {
        {40, 40, 1.0f, 5, 5},
        {40, 41, 1.0f, 4, 4},
        {40, 80, 1.0f, 1, 1},
        {40, 400, 1.0f, 0, 0},
        {40, 0, 1.0f, 55, 55},
        {60, 30, 1.5f, 11, 16},
        {40, 99998, 1.0f, 0, 0},
        // The stored records' rule would cube the first three digits (123) and give 46.
        {2000, 1234, 1.0f, 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        s.Criteria.StandardTime[3] = c.standard;
        s.Criteria.PointMultiplier[3] = c.multiplier;
        run(3, c.seconds);
        const Evaluation e =
            EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
        EXPECT_EQ(e.basePoints, c.base);
        EXPECT_EQ(e.finalPoints, c.final);
    }
    s.Criteria.StandardTime[3] = 60;
    s.Criteria.PointMultiplier[3] = 1.5f;
    run(3, 30);
    const Evaluation e =
        EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
    EXPECT_EQ(e.Label19, QStringLiteral("獲得ポイント：11点×1.5→16点"));
    EXPECT_EQ(e.Label18, QStringLiteral("今の成績：30秒"));
}

TEST_F(EvaluationTest, RecordLineAndSoundFollowTheOutcomeFlagsAndAreConsumed) {
    struct Case {
        const char* name;
        int personal, overall, seconds;
        OutcomeLine line;
        std::vector<EvaluationSound> sounds;
    };
    const Case cases[] = {
        {"personal best", 1, 0, 45, OutcomeLine::NewPersonalBest, {EvaluationSound::PersonalBest}},
        {"both records", 1, 1, 45, OutcomeLine::NewOverallBest, {EvaluationSound::OverallBest}},
        {"overall only", 0, 1, 45, OutcomeLine::NewOverallBest, {EvaluationSound::OverallBest}},
        {"within the minimum line", 0, 0, 60, OutcomeLine::None, {EvaluationSound::Fail}},
        {"slower than the minimum line", 0, 0, 61, OutcomeLine::None, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s.outcome.NewPersonalBest = c.personal;
        s.outcome.NewOverallBest = c.overall;
        run(3, c.seconds);
        const Evaluation e =
            EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
        EXPECT_EQ(e.outcome, c.line);
        EXPECT_EQ(e.Label20, outcomeLineText(c.line));
        EXPECT_EQ(e.sounds, c.sounds);
        EXPECT_EQ(s.outcome.NewPersonalBest, 0);
        EXPECT_EQ(s.outcome.NewOverallBest, 0);
    }
    EXPECT_EQ(outcomeLineText(OutcomeLine::NewOverallBest),
              QStringLiteral("！！！最高新記録！！！"));
    EXPECT_EQ(outcomeLineText(OutcomeLine::NewPersonalBest), QStringLiteral("新記録おめでとう"));
}

TEST_F(EvaluationTest, TargetLevelIsCongratulatedEachTimeButPassSoundsOnlyOnTheFirstClearing) {
    run(kTarget, 70); // slower than the minimum line: no fail-role sound in the way
    clearLevel(kTarget);
    s.outcome.NewPersonalBest = 1;
    s.outcome.ClearedBefore = 0;
    Evaluation first = EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
    EXPECT_TRUE(first.Label2Visible);
    EXPECT_TRUE(first.Picture1Visible);
    EXPECT_EQ(first.sounds,
              (std::vector<EvaluationSound>{EvaluationSound::PersonalBest, EvaluationSound::Pass}));

    s.outcome.ClearedBefore = 1;
    Evaluation later = EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
    EXPECT_TRUE(later.Picture1Visible);
    EXPECT_TRUE(later.sounds.empty());

    // A level marked with TargetCount 9999 leaves the program without a final goal picture.
    s.Criteria.TargetCount[20] = 9999;
    s.outcome.ClearedBefore = 0;
    Evaluation marked = EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
    EXPECT_TRUE(marked.Label2Visible);
    EXPECT_FALSE(marked.Picture1Visible);
    EXPECT_EQ(marked.sounds, std::vector<EvaluationSound>{EvaluationSound::Pass});

    // Another level cleared for the first time: "このレベルクリア", no picture, no pass sound.
    run(3, 70);
    clearLevel(3);
    s.Criteria.TargetCount[20] = 0;
    Evaluation other = EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
    EXPECT_TRUE(other.Label2Visible);
    EXPECT_FALSE(other.Picture1Visible);
    EXPECT_TRUE(other.sounds.empty());
}

TEST_F(EvaluationTest, TimerOffersAnotherRunUnlessAClearedLevelIsPractisedTooMuch) {
    struct Case {
        const char* name;
        int level;
        bool cleared, overused;
        bool again;
        bool label2Visible;
        const char* label2;
    };
    const Case cases[] = {
        {"plain run", 3, false, false, true, false, "このレベルクリア"},
        {"cleared", 3, true, false, true, true, "このレベルクリア"},
        {"overused, not cleared", 3, false, true, true, false, "このレベルクリア"},
        {"cleared and overused", 3, true, true, false, true, "次のレベルへ進みましょう"},
        {"target cleared and overused", kTarget, true, true, true, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        run(c.level, 45);
        s.Stats.WindowPoints.fill(0);
        s.Stats.WindowRunCounts.fill(0);
        s.Stats.OveruseRunCounts.fill(0);
        s.Criteria.OveruseRunLimit[size_t(c.level)] = Untyped();
        if (c.cleared)
            clearLevel(c.level);
        if (c.overused)
            overuseLevel(c.level);
        const Evaluation e =
            EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
        EXPECT_EQ(e.cleared, c.cleared);
        EXPECT_EQ(e.overused, c.overused);
        EXPECT_TRUE(e.afterTimer.Command4);
        EXPECT_EQ(e.afterTimer.Command5, c.again);
        EXPECT_EQ(e.afterTimer.Label2Visible, c.label2Visible);
        EXPECT_EQ(e.afterTimer.Label2, QString::fromUtf8(c.label2));
    }
}

TEST_F(EvaluationTest, OveruseLimitsOfZeroOrEmptyAreSwitchedOff) {
    s.Stats.OveruseRunCounts(3, kPupil) = 50;
    s.Stats.OverusePoints(3, kPupil) = 500;
    s.Criteria.OveruseRunLimit[3] = Untyped(0);
    s.Criteria.OverusePointLimit[3] = Untyped();
    EXPECT_FALSE(isLevelOverused(s.Criteria, s.Stats, 3, kPupil));
    s.Criteria.OverusePointLimit[3] = Untyped(500);
    EXPECT_TRUE(isLevelOverused(s.Criteria, s.Stats, 3, kPupil));
}

TEST_F(EvaluationTest, LabelsNameThePupilLevelAndTodaysRuns) {
    s.Stats.TodayRunCounts(3, kPupil) = 3;
    s.Stats.TodayRunCounts(1, kPupil) = 1;
    s.Stats.TodayRunCounts(35, kPupil) = 1;
    s.Stats.TodayRunCounts(0, kPupil) = 7;     // index 0 is no level
    s.Stats.TodayRunCounts(3, kPupil + 1) = 9; // another pupil
    const Evaluation e =
        EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
    EXPECT_EQ(e.Label13, QStringLiteral(" (このレベル　3回目)"));
    EXPECT_EQ(e.Label14, QStringLiteral("（5回目)"));
    EXPECT_EQ(s.outcome.TodayRunTotal, 5);
    EXPECT_EQ(e.Label17, QStringLiteral("山田太郎"));
    EXPECT_EQ(e.Label15, QStringLiteral("Zanfolio"));
    EXPECT_EQ(e.Label16, QStringLiteral("足し算２"));
    EXPECT_EQ(e.Label18, QStringLiteral("今の成績：45秒"));
}

} // namespace
} // namespace zanfolio
