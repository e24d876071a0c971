// The wrong ways of working, their opportunities and the verdict that tells a way of working
// from slips: the procedures against the classifier on every level's problems, the verdict's
// table, and simulated pupils (a consistent wrong procedure with slips now and then, and pupils
// who only slip) over runs as the drill makes them.

#include "app/sharedstate.h"
#include "drill/answerentry.h"
#include "drill/misconceptions.h"
#include "drill/worksheet.h"
#include "results/diagnosis.h"

#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <set>

namespace zanfolio {
namespace {

using K = MistakeKind;

Decimal number(const char* text) {
    return leadingDecimal(QString::fromUtf8(text)).value;
}

ProblemNumbers problem(const char* first, const char* sign, const char* second) {
    const Decimal a = number(first);
    const Decimal b = number(second);
    const bool subtract = QString::fromUtf8(sign) == QStringLiteral("－");
    return {a, QString::fromUtf8(sign), b, subtract ? a - b : a + b};
}

TEST(Misconceptions, EachProcedureOnRealProblems) {
    struct Case {
        const char* first;
        const char* sign;
        const char* second;
        K kind;
        const char* gives; // what the procedure gives; the answer itself where it cannot fail
    };
    const Case cases[] = {
        {"0.07", "＋", "3", K::PlaceAlignment, "0.1"},
        {"5.3", "－", "5", K::PlaceAlignment, "4.8"},
        {"0.8", "＋", "0.5", K::PlaceAlignment, "1.3"}, // the same places: no opportunity
        {"0.8", "＋", "0.05", K::PointPosition, "8.5"},
        {"0.07", "＋", "3", K::Zero, "3.7"},
        {"9.9", "＋", "0.4", K::Zero, "1.3"},
        {"0.8", "＋", "0.05", K::Zero, "1.3"}, // 0.05 taken for 0.5
        {"3.05", "－", "0.2", K::Zero, "3.3"},
        {"0.8", "＋", "0.5", K::Zero, "1.3"}, // no zero holds a place
        {"5.3", "－", "5", K::ReversedOperation, "10.3"},
        {"0.07", "＋", "3", K::ReversedOperation, "2.93"},
        {"0.9", "＋", "0.3", K::CarryOrBorrow, "0.2"},
        {"0.59", "＋", "0.59", K::CarryOrBorrow, "0.08"},
        {"1.3", "－", "0.6", K::CarryOrBorrow, "1.7"},
        {"0.8", "＋", "0.05", K::CarryOrBorrow, "0.85"}, // nothing to carry
        {"0.8", "＋", "0.05", K::Typo, "0.85"},          // no way of working
    };
    for (const Case& c : cases) {
        const ProblemNumbers p = problem(c.first, c.sign, c.second);
        SCOPED_TRACE(std::string(c.first) + " " + c.sign + " " + c.second + ", " +
                     mistakeKindLabel(c.kind).toStdString());
        EXPECT_EQ(Text(misconceivedAnswer(c.kind, p)), QString::fromUtf8(c.gives));
        EXPECT_EQ(isOpportunity(c.kind, p), Text(p.answer) != QString::fromUtf8(c.gives));
    }
}

// On every level's problems: where a procedure fails, what it gives is taken by its own rule
// of the classifier; where it does not, nothing is there to show.
TEST(Misconceptions, WhatEachProcedureGivesFitsItsKindsRule) {
    for (int level = 1; level <= 5; ++level) {
        SystemRandom random(31 * unsigned(level));
        for (int i = 0; i < 3000; ++i) {
            const std::optional<int> type = problemTypeForLevel(level, random);
            ASSERT_TRUE(type);
            const Problem drawn = problemOf(*type, drawProblem(*type, random));
            const ProblemNumbers p = ProblemNumbers::of(drawn);
            for (K kind : kMisconceptions) {
                const QString typed = Text(misconceivedAnswer(kind, p));
                ASSERT_EQ(mistakeFits(kind, p, typed), isOpportunity(kind, p))
                    << drawn.rowTexts[0].toStdString() << " " << p.sign.toStdString() << " "
                    << drawn.rowTexts[1].toStdString() << ": "
                    << mistakeKindLabel(kind).toStdString() << " gives " << typed.toStdString();
            }
        }
    }
}

TEST(Misconceptions, AimedProblemsAreOpportunities) {
    SystemRandom random(2026);
    for (int level = 1; level <= 5; ++level)
        for (K kind : kMisconceptions)
            for (int i = 0; i < 200; ++i) {
                const std::optional<Problem> p = drawAimedProblem(level, kind, random);
                ASSERT_TRUE(p) << level << " " << mistakeKindLabel(kind).toStdString();
                ASSERT_TRUE(isOpportunity(kind, ProblemNumbers::of(*p)));
                if (level <= 4) {
                    ASSERT_EQ(p->type, level);
                }
            }
    EXPECT_FALSE(drawAimedProblem(1, K::Typo, random));
    EXPECT_FALSE(drawAimedProblem(6, K::Zero, random));
}

// A worksheet's twenty problems and a practice run's ten: different problems of the level, on
// each of which the way of working fails, and words for the pupil for every way of working.
TEST(Misconceptions, WorksheetAndPracticeProblemsAreDifferentOpportunities) {
    SystemRandom random(1234);
    for (int level = 1; level <= 5; ++level)
        for (K kind : kMisconceptions)
            for (int count : {kWorksheetProblems, kAimedPracticeProblems}) {
                const std::vector<Problem> problems = aimedProblems(level, kind, count, random);
                ASSERT_EQ(int(problems.size()), count);
                std::set<QString> seen;
                for (const Problem& p : problems) {
                    EXPECT_TRUE(isOpportunity(kind, ProblemNumbers::of(p)));
                    seen.insert(p.rowTexts[0] + p.sign + p.rowTexts[1]);
                }
                EXPECT_EQ(int(seen.size()), count);
            }
    for (K kind : kMistakeKinds) {
        EXPECT_EQ(misconceptionAdvice(kind).isEmpty(), !isMisconception(kind));
        EXPECT_EQ(misconceptionTitle(kind).isEmpty(), !isMisconception(kind));
    }
    EXPECT_TRUE(aimedProblems(1, K::Typo, 20, random).empty());
}

// The record of each answer handed in: the problem as shown, the judgement, the time since the
// problem appeared in tenths, the kind and the ways of working the diagnosis counts.
TEST(AnswerRecords, EachAnswerHandedInAsTheDiagnosisCountsIt) {
    SharedState state;
    state.session.CurrentStudent = 12;
    state.session.CurrentLevel = 1;
    const Problem p = problemOf(1, ProblemDraw{7, -2, 3, 0}); // 0.07 ＋ 3
    ASSERT_EQ(p.rowTexts[0] + p.sign + p.rowTexts[1], QStringLiteral("0.07＋3"));
    const QDateTime handedIn(QDate(2026, 12, 10), QTime(10, 30, 5, 900));
    struct Case {
        const char* typed;
        bool correct;
        qint64 ms;
        bool practice;
        int tenths;
        std::optional<K> kind;
        std::vector<K> shown;
    };
    // 0.07 has a zero that holds a place; no carry is due.
    const std::vector<K> opportunities = {K::PlaceAlignment, K::PointPosition, K::Zero,
                                          K::ReversedOperation};
    const Case cases[] = {
        {"3.07", true, 4230, false, 42, std::nullopt, {}},
        {"3.07", true, 4250, true, 43, std::nullopt, {}}, // to the nearest tenth
        {"0.1", false, 61049, false, 610, K::PlaceAlignment, {K::PlaceAlignment}},
        {"30.7", false, 0, false, 0, K::PointPosition, {K::PointPosition}},
        {"", false, -20, false, 0, K::NoInput, {}}, // a clock set back counts no time
        {"3.08", false, 1000, true, 10, K::Typo, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const AnswerRecord r = makeAnswerRecord(state.session, p, QString::fromUtf8(c.typed),
                                                c.correct, handedIn, c.ms, c.practice);
        EXPECT_EQ(r.date, QDate(2026, 12, 10));
        EXPECT_EQ(r.time, QTime(10, 30, 5));
        EXPECT_EQ(r.pupil, 12);
        EXPECT_EQ(r.level, 1);
        EXPECT_EQ(r.practice, c.practice);
        EXPECT_EQ(r.first + r.sign + r.second + u'=' + r.answer, QStringLiteral("0.07＋3=3.07"));
        EXPECT_EQ(r.typed, QString::fromUtf8(c.typed));
        EXPECT_EQ(r.correct, c.correct);
        EXPECT_EQ(r.tenthsOfSeconds, c.tenths);
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.opportunities, opportunities);
        EXPECT_EQ(r.shown, c.shown);
    }
}

TEST(Verdict, HalfOfAtLeastFourOpportunities) {
    struct Case {
        int opportunities, shown;
        Verdict verdict;
    };
    const Case cases[] = {
        {0, 0, Verdict::None},         {3, 3, Verdict::Now},        {4, 2, Verdict::Systematic},
        {4, 1, Verdict::Now},          {7, 4, Verdict::Systematic}, {7, 3, Verdict::Now},
        {40, 20, Verdict::Systematic}, {40, 0, Verdict::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(verdictOf({c.opportunities, c.shown}), c.verdict)
            << c.shown << "/" << c.opportunities;
    EXPECT_EQ(verdictLabel(Verdict::Systematic), QStringLiteral("定着"));
    EXPECT_EQ(verdictLabel(Verdict::Now), QStringLiteral("たまに"));
}

TEST(Diagnosis, CountsOpportunitiesAndShowsByPupilAndLevelAndLeavesBlanksOut) {
    Diagnosis d;
    d.add({5, 1, false, {K::PlaceAlignment, K::ReversedOperation}, {K::PlaceAlignment}});
    d.add({5, 1, false, {K::PlaceAlignment}, {}});
    d.add({5, 2, false, {K::PlaceAlignment}, {K::PlaceAlignment}});
    d.add({5, 2, true, {K::PlaceAlignment}, {}}); // blank: no opportunity
    d.add({6, 1, false, {K::Zero}, {K::Zero}});
    const size_t place = misconceptionIndex(K::PlaceAlignment);
    EXPECT_EQ(d.tallies(5, 1)[place], (KindTally{2, 1}));
    EXPECT_EQ(d.tallies(5, 2)[place], (KindTally{1, 1}));
    EXPECT_EQ(d.tallies(5)[place], (KindTally{3, 2}));
    EXPECT_EQ(d.tallies(5)[misconceptionIndex(K::ReversedOperation)], (KindTally{1, 0}));
    EXPECT_EQ(d.tallies(7)[place], KindTally{});
    d.add({5, 1, false, {K::PlaceAlignment}, {K::PlaceAlignment}});
    EXPECT_EQ(d.systematicKinds(5), std::vector<MistakeKind>{K::PlaceAlignment});
    EXPECT_TRUE(d.systematicKinds(5, 2).empty()) << "one opportunity is not enough";
    EXPECT_EQ(d.pupilLevels(), (std::vector<std::pair<int, int>>{{5, 1}, {5, 2}, {6, 1}}));
}

// A simulated pupil: answers each problem by a wrong procedure where it applies (when they have
// one), right otherwise, and slips now and then as the keys let one slip.
class SimulatedPupil {
  public:
    SimulatedPupil(unsigned seed, std::optional<K> procedure, double slipRate)
        : engine_(seed), procedure_(procedure), slipRate_(slipRate) {}

    QString answer(const Problem& problem) {
        const ProblemNumbers p = ProblemNumbers::of(problem);
        if (procedure_ && isOpportunity(*procedure_, p))
            return Text(misconceivedAnswer(*procedure_, p));
        QString text = Text(p.answer);
        if (std::uniform_real_distribution<double>(0, 1)(engine_) >= slipRate_)
            return text;
        std::vector<qsizetype> digits;
        for (qsizetype i = 0; i < text.size(); ++i)
            if (text[i].isDigit())
                digits.push_back(i);
        const qsizetype at = digits[size_t(below(int(digits.size())))];
        switch (below(5)) {
        case 0: // another digit
            text[at] = QChar(u'0' + (text[at].unicode() - u'0' + 1 + below(9)) % 10);
            return text;
        case 1: // neighbours swapped
            if (at + 1 < text.size() && text[at + 1].isDigit())
                std::swap(text[at], text[at + 1]);
            return text;
        case 2: // the last digit left off
            return text.chopped(1);
        case 3: // a digit typed twice
            return text.insert(at, text[at]);
        default: // handed in empty
            return QString();
        }
    }

  private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    std::mt19937 engine_;
    std::optional<K> procedure_;
    double slipRate_;
};

// One run of the drill: problems until ten answers more are right than wrong, or forty answers
// (the time running out).
void run(SimulatedPupil& pupil, int id, int level, RandomSource& random, Diagnosis& d) {
    int correct = 0;
    for (int answers = 0; answers < 40 && correct < 10; ++answers) {
        const std::optional<int> type = problemTypeForLevel(level, random);
        const Problem problem = problemOf(*type, drawProblem(*type, random));
        const ProblemNumbers p = ProblemNumbers::of(problem);
        const QString typed = pupil.answer(problem);
        const bool right = answerMatches(typed, p.answer);
        correct = right ? correct + 1 : std::max(correct - 1, 0);
        AnsweredProblem a;
        a.pupil = id;
        a.level = level;
        a.blank = classifyMistake(p, typed) == K::NoInput;
        a.opportunities = opportunitiesOf(p);
        if (!right)
            a.shown = misconceptionsShownBy(p, typed);
        d.add(a);
    }
}

// A pupil with a wrong way of working is found as soon as the runs of their level have brought
// four opportunities for it: within three runs unless three runs bring fewer (a carry is due
// in about one problem of five on levels 1 and 2). A pupil who only slips is never called
// systematic, on a level or over all of them, after any of twelve runs.
TEST(Diagnosis, SimulatedPupilsProceduresFoundAndSlipsNeverCalledSystematic) {
    std::mt19937 draws(20261210);
    SystemRandom problems(1210);
    std::uniform_real_distribution<double> rate(0.02, 0.15);

    std::array<int, 11> foundAfter{}; // by run
    int withinThree = 0;
    int fewerThanFourInThree = 0;
    for (int i = 0; i < 500; ++i) {
        const K kind = kMisconceptions[size_t(i) % kMisconceptions.size()];
        const int level = 1 + (i / int(kMisconceptions.size())) % 5;
        SimulatedPupil pupil(draws(), kind, rate(draws));
        Diagnosis d;
        int runs = 0;
        int fourthOpportunityRun = 0;
        bool found = false;
        while (!found && runs < 10) {
            run(pupil, i, level, problems, d);
            ++runs;
            const KindTally t = d.tallies(i, level)[misconceptionIndex(kind)];
            if (fourthOpportunityRun == 0 && t.opportunities >= kLeastOpportunities)
                fourthOpportunityRun = runs;
            const std::vector<K> kinds = d.systematicKinds(i, level);
            found = std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
        }
        ASSERT_TRUE(found) << mistakeKindLabel(kind).toStdString() << " on level " << level;
        EXPECT_EQ(runs, fourthOpportunityRun)
            << mistakeKindLabel(kind).toStdString() << " on level " << level;
        foundAfter[size_t(runs)] += 1;
        withinThree += runs <= 3;
        fewerThanFourInThree += fourthOpportunityRun > 3;
    }
    EXPECT_EQ(withinThree + fewerThanFourInThree, 500);

    int slipsOnlyCalled = 0;
    int slipsLikeAWayOfWorking = 0;
    for (int i = 0; i < 1000; ++i) {
        SimulatedPupil pupil(draws(), std::nullopt, rate(draws));
        Diagnosis d;
        bool called = false;
        for (int r = 0; r < 12; ++r) {
            const int level = 1 + int(draws() % 5);
            run(pupil, i, level, problems, d);
            called =
                called || !d.systematicKinds(i, level).empty() || !d.systematicKinds(i).empty();
        }
        for (K kind : kMisconceptions)
            slipsLikeAWayOfWorking += d.tallies(i)[misconceptionIndex(kind)].shown;
        slipsOnlyCalled += called;
    }
    EXPECT_EQ(slipsOnlyCalled, 0);
    std::cout << "systematic pupils: 500, found within three runs " << withinThree
              << " (after one run " << foundAfter[1] << ", two " << foundAfter[2] << ", three "
              << foundAfter[3] << "); " << fewerThanFourInThree
              << " had fewer than four opportunities in three runs and were found at the run "
                 "that brought the fourth; slips-only pupils called systematic: "
              << slipsOnlyCalled
              << " of 1000 (slips that looked like a way of working: " << slipsLikeAWayOfWorking
              << ")\n";
}

} // namespace
} // namespace zanfolio
