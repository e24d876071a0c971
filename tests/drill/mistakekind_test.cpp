#include "app/sharedstate.h"
#include "drill/mistakekind.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace zanfolio {
namespace {

Decimal number(const char* text) {
    const LeadingDecimal n = leadingDecimal(QString::fromUtf8(text));
    EXPECT_TRUE(n.found && n.exact) << text;
    return n.value;
}

// One wrong answer to a problem that the drill's level can ask.
struct Answered {
    int level;
    const char* first;
    const char* sign;
    const char* second;
    const char* answer;
    const char* typed;
    MistakeKind kind;
};

std::string describe(const Answered& c) {
    return "level " + std::to_string(c.level) + ": " + c.first + " " + c.sign + " " + c.second +
           " = " + c.answer + ", typed \"" + c.typed + "\"";
}

void expectKinds(std::initializer_list<Answered> cases) {
    for (const Answered& c : cases) {
        const ProblemNumbers p{number(c.first), QString::fromUtf8(c.sign), number(c.second),
                               number(c.answer)};
        const bool subtract = p.sign == QStringLiteral("－");
        ASSERT_EQ(subtract ? p.first - p.second : p.first + p.second, p.answer) << describe(c);
        EXPECT_EQ(mistakeKindLabel(classifyMistake(p, QString::fromUtf8(c.typed))),
                  mistakeKindLabel(c.kind))
            << describe(c);
    }
}

using K = MistakeKind;

TEST(ClassifyMistake, DigitsLinedUpAtTheRightArePlaceAlignment) {
    expectKinds({
        {1, "0.07", "＋", "3", "3.07", "0.1", K::PlaceAlignment}, // 7 + 3, point as in 0.07
        {1, "0.07", "＋", "3", "3.07", "10", K::PlaceAlignment},  // point as in 3
        {1, "0.8", "＋", "0.05", "0.85", "1.3", K::PlaceAlignment},
        {2, "5.3", "－", "5", "0.3", "4.8", K::PlaceAlignment}, // 53 − 5
        {2, "3.05", "－", "3", "0.05", "302", K::PlaceAlignment},
        {3, "4.5", "＋", "0.08", "4.58", "5.3", K::PlaceAlignment},
        {3, "4.5", "＋", "0.08", "4.58", "0.53", K::PlaceAlignment},
        {3, "0.6", "＋", "27", "27.6", "3.3", K::PlaceAlignment},
        {4, "108.9", "－", "9", "99.9", "108", K::PlaceAlignment}, // 1089 − 9 = 1080
        {4, "4.05", "－", "0.8", "3.25", "3.97", K::PlaceAlignment},
        {5, "8.14", "－", "0.3", "7.84", "8.11", K::PlaceAlignment},
        {5, "0.47", "＋", "6", "6.47", "0.53", K::PlaceAlignment},
    });
}

TEST(ClassifyMistake, TheRightDigitsWithThePointMovedArePointPosition) {
    expectKinds({
        {1, "0.8", "＋", "0.05", "0.85", "8.5", K::PointPosition},
        {1, "0.6", "＋", "0.5", "1.1", "11.", K::PointPosition},
        {2, "5.3", "－", "5", "0.3", "3", K::PointPosition},
        {2, "0.12", "－", "0.04", "0.08", "0.008", K::PointPosition},
        {3, "0.6", "＋", "27", "27.6", "2.76", K::PointPosition},
        {3, "0.35", "＋", "0.9", "1.25", "12.5", K::PointPosition},
        {4, "108.9", "－", "9", "99.9", "9.99", K::PointPosition},
        {4, "45.67", "－", "0.07", "45.6", "456", K::PointPosition},
        {4, "108.9", "－", "9", "99.9", "999.0", K::PointPosition}, // a trailing zero as typed
        {5, "8.14", "－", "0.3", "7.84", "0.784", K::PointPosition},
    });
}

TEST(ClassifyMistake, AZeroDroppedOrAddedIsZero) {
    expectKinds({
        {1, "0.07", "＋", "3", "3.07", "3.7", K::Zero},
        {1, "0.8", "＋", "0.05", "0.85", "0.805", K::Zero},
        {3, "0.6", "＋", "27", "27.6", "207.6", K::Zero},
        {3, "9.9", "＋", "0.4", "10.3", "1.3", K::Zero},
        {3, "0.35", "＋", "0.9", "1.25", "1.025", K::Zero},
        {4, "108.9", "－", "9", "99.9", "99.09", K::Zero},
        {4, "45.67", "－", "0.07", "45.6", "45.06", K::Zero},
        {5, "0.47", "＋", "6", "6.47", "6.407", K::Zero},
        {5, "8.14", "－", "0.3", "7.84", "7.084", K::Zero},
        {3, "3.05", "＋", "0.2", "3.25", "3.7", K::Zero},           // 3.05 taken for 3.5
        {1, "0.8", "＋", "0.05", "0.85", "1.3", K::PlaceAlignment}, // also 0.05 taken for 0.5
    });
}

TEST(ClassifyMistake, TheOtherOperationIsReversedOperation) {
    expectKinds({
        {1, "0.07", "＋", "3", "3.07", "2.93", K::ReversedOperation}, // the larger less the smaller
        {1, "0.07", "＋", "3", "3.07", "-2.93", K::ReversedOperation}, // first less second
        {1, "0.6", "＋", "0.5", "1.1", "0.1", K::ReversedOperation},   // also a forgotten carry
        {2, "5.3", "－", "5", "0.3", "10.3", K::ReversedOperation},
        {2, "0.12", "－", "0.04", "0.08", "0.16", K::ReversedOperation},
        {3, "4.5", "＋", "0.08", "4.58", "4.42", K::ReversedOperation},
        {4, "108.9", "－", "9", "99.9", "117.9", K::ReversedOperation},
        {4, "13.2", "－", "0.9", "12.3", "14.1", K::ReversedOperation},
        {5, "8.14", "－", "0.3", "7.84", "8.44", K::ReversedOperation},
    });
}

// A forgotten carry leaves its column one smaller, a borrow not taken off leaves its column
// one larger; the other direction is a slip.
TEST(ClassifyMistake, OneOffInAColumnThatCarriesIsCarryOrBorrow) {
    expectKinds({
        {1, "0.9", "＋", "0.3", "1.2", "0.2", K::CarryOrBorrow}, // the carry forgotten
        {2, "1.3", "－", "0.6", "0.7", "1.7", K::CarryOrBorrow}, // the borrow not taken off
        {2, "0.12", "－", "0.04", "0.08", "0.18", K::CarryOrBorrow},
        {3, "9.9", "＋", "0.4", "10.3", "9.3", K::CarryOrBorrow},
        {3, "9.9", "＋", "0.4", "10.3", "0.3", K::CarryOrBorrow}, // the second carry forgotten
        {3, "0.35", "＋", "0.9", "1.25", "0.25", K::CarryOrBorrow},
        {4, "108.9", "－", "9", "99.9", "109.9", K::CarryOrBorrow},
        {5, "8.14", "－", "0.3", "7.84", "8.84", K::CarryOrBorrow},
        {1, "0.6", "＋", "0.5", "1.1", "2.1", K::Typo}, // one too many where a carry was due
        {1, "0.8", "＋", "0.9", "1.7", "2.7", K::Typo},
        {4, "13.2", "－", "0.9", "12.3", "11.3", K::Typo}, // one too few where a borrow was due
    });
}

// Instead of borrowing, the smaller digit taken from the larger in each column: in every
// column, or in the decimal columns with the whole part worked out (across a zero).
TEST(ClassifyMistake, TheSmallerDigitFromTheLargerIsCarryOrBorrow) {
    expectKinds({
        {4, "6.2", "－", "5.75", "0.45", "1.55", K::CarryOrBorrow},
        {2, "1.1", "－", "0.8", "0.3", "1.7", K::CarryOrBorrow},
        {2, "0.11", "－", "0.03", "0.08", "0.12", K::CarryOrBorrow},
        {4, "10", "－", "3.45", "6.55", "7.45", K::CarryOrBorrow}, // 10 － 3, then .45 brought down
        {4, "12.3", "－", "0.9", "11.4", "12.6", K::CarryOrBorrow},
        {4, "1.05", "－", "0.07", "0.98", "1.02", K::CarryOrBorrow},
        {5, "8.14", "－", "0.3", "7.84", "8.24", K::CarryOrBorrow},
        {4, "108.9", "－", "9", "99.9", "101.9", K::CarryOrBorrow},
        {3, "0.59", "＋", "0.59", "1.18", "0.08", K::CarryOrBorrow}, // every carry forgotten
        {4, "1.23", "－", "0.45", "0.78", "1.88", K::CarryOrBorrow}, // no borrow taken off
    });
}

// Each rule on its own, whatever the rules before it say: a wrong way of working shows on a
// problem even where an earlier kind takes the answer.
TEST(MistakeFits, EachRuleOnItsOwn) {
    const ProblemNumbers p{number("0.6"), QStringLiteral("＋"), number("0.5"), number("1.1")};
    EXPECT_TRUE(mistakeFits(K::ReversedOperation, p, QStringLiteral("0.1")));
    EXPECT_TRUE(mistakeFits(K::CarryOrBorrow, p, QStringLiteral("0.1")));
    EXPECT_FALSE(mistakeFits(K::PlaceAlignment, p, QStringLiteral("0.1")));
    EXPECT_TRUE(mistakeFits(K::Typo, p, QStringLiteral("1.2")));
    EXPECT_TRUE(mistakeFits(K::NoInput, p, QStringLiteral(".")));
    for (MistakeKind kind : kMistakeKinds)
        EXPECT_FALSE(mistakeFits(kind, p, QStringLiteral("1.10"))) << int(kind);
}

TEST(ClassifyMistake, OneWrongDigitWithoutACarryIsTypo) {
    expectKinds({
        {1, "0.8", "＋", "0.05", "0.85", "0.86", K::Typo},
        {1, "0.9", "＋", "0.3", "1.2", "1.3", K::Typo}, // no carry into the tenths
        {1, "0.6", "＋", "0.5", "1.1", "1.0", K::Typo}, // the zero is typed: both write tenths
        {2, "3.05", "－", "3", "0.05", "0.06", K::Typo},
        {3, "4.5", "＋", "0.08", "4.58", "4.48", K::Typo},
        {3, "0.35", "＋", "0.9", "1.25", "1.15", K::Typo},
        {4, "108.9", "－", "9", "99.9", "98.9", K::Typo}, // the ones borrow, they do not lend
        {4, "108.9", "－", "9", "99.9", "90.9", K::Typo}, // off by nine in a lending column
        {4, "45.67", "－", "0.07", "45.6", "45.5", K::Typo},
        {5, "0.47", "＋", "6", "6.47", "6.48", K::Typo},
        {5, "8.14", "－", "0.3", "7.84", "7.04", K::Typo},
    });
}

// The usual slips of the keys, whatever zeros were typed with them.
TEST(ClassifyMistake, SwappedLeftOffAndDoubledDigitsAreTypo) {
    expectKinds({
        {1, "0.07", "＋", "0.09", "0.16", "0.61", K::Typo}, // neighbours swapped
        {1, "0.07", "＋", "0.09", "0.16", ".61", K::Typo},
        {4, "45.67", "－", "0.07", "45.6", "54.6", K::Typo},
        {3, "4.2", "＋", "0.05", "4.25", "4.2", K::Typo}, // the last digit left off
        {3, "4.2", "＋", "0.05", "4.25", "4.20", K::Typo},
        {3, "4.2", "＋", "0.05", "4.25", "4.", K::Typo}, // handed in after the whole part
        {3, "4.2", "＋", "0.05", "4.25", "4.0", K::Typo},
        {3, "4.2", "＋", "0.05", "4.25", "4", K::Typo},
        {3, "4.2", "＋", "0.05", "4.25", "04.", K::Typo},
        {1, "0.07", "＋", "3", "3.07", "3", K::Typo},
        {4, "108.9", "－", "9", "99.9", "99", K::Typo},
        {3, "4.2", "＋", "0.05", "4.25", "4.255", K::Typo}, // a digit typed twice
        {3, "4.2", "＋", "0.05", "4.25", "4.225", K::Typo},
        {3, "4.2", "＋", "0.05", "4.25", "44.25", K::Typo},
        {3, "0.6", "＋", "27", "27.6", "277.6", K::Typo},
    });
}

TEST(ClassifyMistake, NothingOrALonePointIsNoInput) {
    expectKinds({
        {1, "0.07", "＋", "3", "3.07", "", K::NoInput},
        {3, "0.6", "＋", "27", "27.6", ".", K::NoInput},
        {4, "108.9", "－", "9", "99.9", " . ", K::NoInput},
    });
}

TEST(ClassifyMistake, WhatNoRuleExplainsIsOther) {
    expectKinds({
        {2, "5.3", "－", "5", "0.3", "0.48", K::Other},
        {3, "2.5", "＋", "0.09", "2.59", "2.6", K::Other}, // rounded
        {3, "2.5", "＋", "0.09", "2.59", "2.60", K::Other},
        {4, "108.9", "－", "9", "99.9", "9.8", K::Other},
        {3, "4.2", "＋", "0.05", "4.25", "2.45", K::Other}, // swapped across the point
        {5, "0.47", "＋", "6", "6.47", "64", K::Other},
        {5, "8.14", "－", "0.3", "7.84", "-7.84", K::Other}, // negative: only 逆算 may be
    });
}

// What the keys can put together besides numbers, read the way judging reads them: a text
// without a leading number is 0, a sign is part of the number, the rest after it is ignored.
TEST(ClassifyMistake, TextsThatAreNotNumbers) {
    expectKinds({
        {1, "0.07", "＋", "3", "3.07", "", K::NoInput},
        {1, "0.07", "＋", "3", "3.07", ".", K::NoInput},
        {1, "0.07", "＋", "3", "3.07", "..", K::Other},
        {1, "0.07", "＋", "3", "3.07", "1.2.3", K::Other},
        {1, "0.07", "＋", "3", "3.07", "*5", K::Other},
        {1, "0.07", "＋", "3", "3.07", "+3", K::Typo},        // read as 3: handed in after the 3
        {1, "0.6", "＋", "0.5", "1.1", "1.2.3", K::Typo},     // read as 1.2
        {2, "5.3", "－", "5", "0.3", "+3", K::PointPosition}, // read as 3
        {3, "4.5", "＋", "0.08", "4.58", "5.3*", K::PlaceAlignment}, // read as 5.3
        {2, "5.3", "－", "5", "0.3", "-", K::Other},
        {2, "5.3", "－", "5", "0.3", "1234567890123456789.", K::Other}, // too many digits
    });
}

// The classifier is meant for wrong answers; a text that judging accepts is no mistake.
TEST(ClassifyMistake, TextsJudgingAcceptsAreOther) {
    expectKinds({
        {1, "0.9", "＋", "0.3", "1.2", "1.20", K::Other},
        {1, "0.9", "＋", "0.3", "1.2", "1.2.3", K::Other},
        {2, "5.3", "－", "5", "0.3", ".3", K::Other},
        {3, "0.6", "＋", "27", "27.6", "+27.6", K::Other},
        {4, "108.9", "－", "9", "99.9", "99.9,", K::Other},
    });
}

// Over many problems of every level, drawn by the drill's own generator: every text of the
// correct answer is none of the mistakes, and a few wrong answers made from the problem keep
// to the order of the kinds.
TEST(ClassifyMistake, GeneratedProblems) {
    constexpr int kProblems = 2000;
    for (int level = 1; level <= 5; ++level) {
        SystemRandom random(7 * unsigned(level) + 20261210);
        SharedState s;
        s.session.CurrentLevel = level;
        s.run.TotalProblems = 10;
        for (int i = 0; i < kProblems; ++i) {
            const std::optional<Problem> problem =
                問題作成表示(s.run, s.outcome, s.session.CurrentLevel, random);
            ASSERT_TRUE(problem);
            const ProblemNumbers p = ProblemNumbers::of(*problem);
            const QString text = Text(p.answer);
            const std::string where =
                "level " + std::to_string(level) + ": " + problem->rowTexts[0].toStdString() + " " +
                p.sign.toStdString() + " " + problem->rowTexts[1].toStdString();
            QStringList correct{text, text + QStringLiteral("."), QStringLiteral("0") + text};
            if (text.contains(u'.'))
                correct = QStringList{text, text + QStringLiteral("0")};
            if (text.startsWith(QStringLiteral("0.")))
                correct << text.mid(1);
            for (const QString& typed : correct)
                ASSERT_EQ(classifyMistake(p, typed), MistakeKind::Other)
                    << where << ", typed " << typed.toStdString();

            // Ten times the answer: its point moved, unless lining up at the right fits first.
            const MistakeKind tenfold =
                classifyMistake(p, Text(Decimal::fromUnits(p.answer.units() * 10)));
            EXPECT_TRUE(tenfold == MistakeKind::PointPosition ||
                        tenfold == MistakeKind::PlaceAlignment)
                << where;
            // The other operation: 逆算, unless a kind before it fits.
            const bool subtract = p.sign == QStringLiteral("－");
            const Decimal other =
                subtract ? p.first + p.second
                         : (p.first > p.second ? p.first - p.second : p.second - p.first);
            EXPECT_LE(int(classifyMistake(p, Text(other))), int(MistakeKind::ReversedOperation))
                << where;
        }
    }
}

TEST(MakeMistakeRecord, TheProblemAsShownTheTextAsTypedAndTheMomentToTheSecond) {
    testing::ScriptedRandom random{0.7f, 0.0f, 0.25f, 0.9f}; // 0.07 ＋ 3 (level 1)
    SharedState s;
    s.session.CurrentLevel = 1;
    s.session.CurrentStudent = 12;
    s.run.TotalProblems = 10;
    const std::optional<Problem> problem =
        問題作成表示(s.run, s.outcome, s.session.CurrentLevel, random);
    ASSERT_TRUE(problem);
    ASSERT_EQ(problem->rowTexts[0], QStringLiteral("0.07"));
    const MistakeRecord r =
        makeMistakeRecord(s.session, *problem, QStringLiteral("0.1"),
                          QDateTime(QDate(2026, 12, 10), QTime(10, 30, 5, 870)));
    EXPECT_EQ(r.date, QDate(2026, 12, 10));
    EXPECT_EQ(r.time, QTime(10, 30, 5));
    EXPECT_EQ(r.pupil, 12);
    EXPECT_EQ(r.level, 1);
    EXPECT_EQ(QStringList({r.first, r.sign, r.second, r.answer, r.typed}),
              QStringList({QStringLiteral("0.07"), QStringLiteral("＋"), QStringLiteral("3"),
                           QStringLiteral("3.07"), QStringLiteral("0.1")}));
    EXPECT_EQ(r.kind, MistakeKind::PlaceAlignment);
}

} // namespace
} // namespace zanfolio
