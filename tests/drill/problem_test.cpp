#include "app/sharedstate.h"
#include "drill/problem.h"
#include "support/fakes.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace zanfolio {

void PrintTo(const Decimal& x, std::ostream* os) {
    *os << Text(x).toStdString();
}

namespace {

using testing::ScriptedRandom;

constexpr float kLargestDraw = 0.99999994f; // the largest float below 1

SharedState runState(int level) {
    SharedState s;
    s.session.CurrentLevel = level;
    s.run.TotalProblems = 10;
    return s;
}

bool inRange(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

// Every problem of every level, over many seeded draws, stays inside the forms of its type.
TEST(ProblemGeneration, ManyProblemsPerLevelStayInsideTheirTypesForms) {
    constexpr int kProblems = 4000;
    for (int level = 1; level <= 5; ++level) {
        SystemRandom random(20041 + unsigned(level));
        SharedState s = runState(level);
        std::map<int, int> types;
        std::set<int> exponentsB;
        for (int i = 0; i < kProblems; ++i) {
            const std::optional<Problem> p =
                問題作成表示(s.run, s.outcome, s.session.CurrentLevel, random);
            ASSERT_TRUE(p);
            const ProblemDraw& d = p->draw;
            ++types[p->type];
            exponentsB.insert(d.ExponentB);
            if (level <= 4)
                ASSERT_EQ(p->type, level);
            else
                ASSERT_TRUE(p->type == 3 || p->type == 4) << p->type;

            ASSERT_TRUE(d.ExponentA == -2 || d.ExponentA == -1) << d.ExponentA;
            ASSERT_TRUE(inRange(d.ExponentB, -2, 0)) << d.ExponentB;
            switch (p->type) {
            case 1:
            case 2:
                ASSERT_TRUE(inRange(d.DigitA, 1, 9) && inRange(d.DigitB, 1, 9));
                break;
            case 3:
                ASSERT_TRUE((inRange(d.DigitA, 10, 99) && inRange(d.DigitB, 1, 9)) ||
                            (inRange(d.DigitA, 1, 9) && inRange(d.DigitB, 10, 99)));
                break;
            case 4:
                ASSERT_TRUE(inRange(d.DigitA, 100, 999) && inRange(d.DigitB, 1, 9));
                break;
            }

            const Decimal a = Decimal::fromScaled(d.DigitA, d.ExponentA);
            const Decimal b = Decimal::fromScaled(d.DigitB, d.ExponentB);
            // The first number always has decimal places, whatever its mantissa ends in
            // (730 × 0.1 and 500 × 0.01 would be whole).
            ASSERT_FALSE(a.isWhole()) << d.DigitA << " x 10^" << d.ExponentA;
            const bool sum = p->type == 1 || p->type == 3;
            ASSERT_EQ(p->sign, sum ? QStringLiteral("＋") : QStringLiteral("－"));
            ASSERT_EQ(p->second, b);
            ASSERT_EQ(p->first, sum ? a : a + b);
            ASSERT_EQ(p->answer, sum ? p->first + p->second : p->first - p->second);
            if (!sum) {
                ASSERT_GE(p->first, p->second) << "a subtraction must not go below 0";
            }
            ASSERT_GT(p->answer, Decimal());

            for (int k = 0; k < 2; ++k) {
                const Decimal x = k == 0 ? p->first : p->second;
                ASSERT_EQ(p->rowTexts[size_t(k)], Text(x));
                const QString& col = p->alignedTexts[size_t(k)];
                ASSERT_LE(col.size(), 7);
                ASSERT_EQ(col.indexOf(u'.'), 3) << col.toStdString();
                ASSERT_EQ(col.trimmed(), x.isWhole() ? Text(x) + u'.' : Text(x));
            }
            ASSERT_EQ(p->hintDelayMs, 1000);
        }
        EXPECT_EQ(exponentsB, (std::set<int>{-2, -1, 0})) << "level " << level;
        if (level == 5) {
            EXPECT_NEAR(types[3], kProblems / 2, kProblems / 20);
            EXPECT_NEAR(types[4], kProblems / 2, kProblems / 20);
        }
    }
}

struct Scripted {
    const char* name;
    int level;
    std::vector<float> draws;
    const char* first;
    const char* sign;
    const char* second;
    const char* answer;
    int drawsTaken;
};

// The extremes of the draws: 0 and the largest float below 1. The largest draw for ExponentA
// gives 0 and so a redraw of the whole step; for ExponentB it must give 0, not 1.
TEST(ProblemGeneration, ExtremeDrawsGiveTheSmallestAndLargestNumbersOfEachType) {
    const float M = kLargestDraw;
    const Scripted cases[] = {
        {"type 1 zeros", 1, {0, 0, 0, 0}, "0.01", "＋", "0.01", "0.02", 4},
        {"type 1 largest", 1, {M, M, M, M, M, 0.5f, M, M}, "0.9", "＋", "9", "9.9", 8},
        {"type 2 zeros", 2, {0, 0, 0, 0}, "0.02", "－", "0.01", "0.01", 4},
        {"type 2 largest", 2, {M, M, M, M, M, 0.5f, M, M}, "9.9", "－", "9", "0.9", 8},
        {"type 3 zeros", 3, {0, 0, 0, 0, 0}, "0.01", "＋", "0.1", "0.11", 5},
        {"type 3 long first", 3, {M, M, M, M, M, M, M, M, 0.5f, M}, "9.9", "＋", "9", "18.9", 10},
        {"type 3 long second", 3, {0, M, M, 0.5f, M}, "0.9", "＋", "99", "99.9", 5},
        // 100 × 0.01 is whole: drawn again.
        {"type 4 zeros", 4, {0, 0, 0, 0, 0.0012f, 0, 0, 0}, "1.02", "－", "0.01", "1.01", 8},
        {"type 4 largest", 4, {M, M, M, M, M, 0.5f, M, M}, "108.9", "－", "9", "99.9", 8},
        {"level 5 largest type draw", 5, {M, M, 0.5f, M, M}, "108.9", "－", "9", "99.9", 5},
        {"level 5 zero type draw", 5, {0, 0, 0, 0, 0, 0}, "0.01", "＋", "0.1", "0.11", 6},
    };
    for (const Scripted& c : cases) {
        ScriptedRandom random;
        for (float r : c.draws)
            random.push(r);
        SharedState s = runState(c.level);
        const std::optional<Problem> p =
            問題作成表示(s.run, s.outcome, s.session.CurrentLevel, random);
        ASSERT_TRUE(p) << c.name;
        EXPECT_EQ(p->rowTexts[0], QString::fromLatin1(c.first)) << c.name;
        EXPECT_EQ(p->sign, QString::fromUtf8(c.sign)) << c.name;
        EXPECT_EQ(p->rowTexts[1], QString::fromLatin1(c.second)) << c.name;
        EXPECT_EQ(Text(p->answer), QString::fromLatin1(c.answer)) << c.name;
        EXPECT_EQ(random.taken, c.drawsTaken) << c.name;
    }
}

TEST(ProblemGeneration, LargestFirstNumberKeepsItsPointInTheFourthColumn) {
    ScriptedRandom random{kLargestDraw, 0.5f, kLargestDraw, kLargestDraw};
    SharedState s = runState(4);
    const std::optional<Problem> p = 問題作成表示(s.run, s.outcome, s.session.CurrentLevel, random);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->alignedTexts[0], QStringLiteral("108.9  "));
    EXPECT_EQ(p->alignedTexts[1], QStringLiteral("  9.   "));
}

TEST(ProblemGeneration, NoProblemWhileTheRunIsBusyOrOverOrForALevelWithoutProblems) {
    for (int flag = 0; flag < 4; ++flag) {
        SharedState s = runState(flag == 3 ? 6 : 1);
        if (flag == 0)
            s.outcome.TimedOut = 1;
        if (flag == 1)
            s.run.RunFinished = 1;
        if (flag == 2)
            s.run.InputBusy = 1;
        ScriptedRandom random;
        EXPECT_FALSE(問題作成表示(s.run, s.outcome, s.session.CurrentLevel, random)) << flag;
        EXPECT_EQ(random.taken, 0) << "a refused problem must not consume draws: " << flag;
    }
}

TEST(HintDelay, FollowsTheCorrectCountWithHalvesRoundedToEven) {
    const int forTen[] = {1000, 2000, 3000, 3000, 3000, 5000, 5000, 5000, 5000, 5000, 5000};
    for (int c = 0; c <= 10; ++c)
        EXPECT_EQ(hintDelayMs(c, 10), forTen[c]) << "C = " << c;
    // N = 5: CLng(0.5) = 0, CLng(1) = 1, CLng(2.5) = 2 (half-up rounding would give 1, 1, 3).
    EXPECT_EQ(hintDelayMs(0, 5), 2000);
    EXPECT_EQ(hintDelayMs(1, 5), 3000);
    EXPECT_EQ(hintDelayMs(2, 5), 5000);

    // A wrong answer lowers CorrectCount, and the next problem's hint comes sooner again.
    SharedState s = runState(1);
    s.run.CorrectCount = 5;
    ScriptedRandom random;
    EXPECT_EQ(問題作成表示(s.run, s.outcome, s.session.CurrentLevel, random)->hintDelayMs, 5000);
    s.run.CorrectCount = 4;
    EXPECT_EQ(問題作成表示(s.run, s.outcome, s.session.CurrentLevel, random)->hintDelayMs, 3000);
}

} // namespace
} // namespace zanfolio
