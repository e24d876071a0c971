#pragma once
// Why a typed answer is wrong: the kind of mistake behind a wrong answer of the drill, for the
// teacher's figures, and the record of the wrong answer that the mistakes file keeps.
//
// The typed text is read as judging reads it (a leading number: blanks, a sign, digits, one
// point, digits; the rest ignored). Then the rules below are tried in the order of
// kMistakeKinds and the first that fits decides. A stands for the first number, B for the
// second, C for the correct answer and T for the typed number; "columns" are the decimal
// columns lined up at the point (ones, tens, tenths, ...). Every rule looks at values, never
// at how many zeros were typed.
//
//  位取り      The digits of A and of B (Text without its point, as whole numbers: 0.07 → 7,
//              10.3 → 103) added, or for "－" the smaller taken from the larger, as if their
//              last digits stood in one column; T is that result with as many places as A has,
//              or as B has. 0.07 ＋ 3 → 0.1 or 10; 4.5 ＋ 0.08 → 5.3 or 0.53.
//  小数点の位置 T is C times a power of ten (10, 100, 0.1, ...): the same digits, the point
//              moved. 5.3 → 53 or 0.53.
//  ゼロ        A zero that holds a place left out of A or of B, the rest worked out right
//              (3.05 ＋ 0.2 → 3.7), or T is the number of Text(C) with one "0" added anywhere
//              or one of its "0"s left out. 3.05 → 3.5; 3.5 → 3.05 or 30.5.
//  逆算        T is the result of the other operation: for "＋" A − B or B − A, for "－" A + B.
//  繰り上がり・繰り下がり
//              A carry forgotten: T is C less 10^k, and the correct addition carries into
//              column k (the column below sums to ten or more, counting its own carry);
//              0.9 ＋ 0.3 → 0.2. A borrow not taken off: T is C plus 10^k, and the correct
//              subtraction borrows from column k; 1.3 － 0.6 → 1.7. Or, for "－", the smaller
//              digit taken from the larger in each column instead of borrowing, in every
//              column (6.2 － 5.75 → 1.55, 0.11 － 0.03 → 0.12) or in the decimal columns with
//              the whole part worked out (10 － 3.45 → 7.45). Or every carry forgotten at
//              once (0.59 ＋ 0.59 → 0.08), every borrow not taken off (1.23 － 0.45 → 1.88).
//              A column one too large in an addition (0.8 ＋ 0.9 → 2.7) is no forgotten
//              carry.
//  打ち間違い  A slip of the keys, judged by value (typing "4.", "4.0" or "4" changes
//              nothing), T not negative: one column wrong by any amount (5.3 → 5.8,
//              0.8 ＋ 0.9 → 2.7); two neighbouring digits of C swapped (0.16 → 0.61); C's last
//              digit left off (4.25 → 4.2) or everything after its whole part (4.25 → 4.);
//              one digit of C typed twice (4.25 → 4.255 or 44.25).
//  未入力      No number read, and the text is empty or a lone point (blanks aside).
//  その他      Everything else: a text without a number that is more than a lone point ("..",
//              "*5", "+"), a number of more than 17 digits, a negative number other than 逆算,
//              a value no rule above explains (2.59 → 2.6, rounded).
//
// The function is meant for wrong answers: a text that judging accepts (answerMatches) is no
// mistake and gets その他, whatever it looks like.

#include "drill/decimal.h"
#include "drill/problem.h"
#include "results/mistakerecord.h"
#include "roster/session.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace zanfolio {

// A problem as the classifier needs it. `sign` is the drill's: "－" subtracts, anything else
// ("＋") adds; answer is first + second or first − second.
struct ProblemNumbers {
    Decimal first;
    QString sign;
    Decimal second;
    Decimal answer;

    static ProblemNumbers of(const Problem& p) { return {p.first, p.sign, p.second, p.answer}; }
};

MistakeKind classifyMistake(const ProblemNumbers& problem, const QString& typed);

// Whether the rule of `kind` alone fits the typed answer, whatever the rules before it say
// (0.6 ＋ 0.5 → 0.1 fits 逆算 and 繰り上がり・繰り下がり); false for an answer judging accepts.
bool mistakeFits(MistakeKind kind, const ProblemNumbers& problem, const QString& typed);

// The values of Text(x) with one of its zeros that hold a place left out, in the order of the
// zeros (any "0" but the one before the point of a number below 1): 3.05 → 3.5; 10.3 → 1.3;
// 0.07 → 0.7; none for 0.85.
std::vector<Decimal> withAZeroLeftOut(Decimal x);

// The column calculation with every carry left out (addition: each column's digit sum less
// ten), or for a subtraction with every borrow taken but none paid back (the larger number
// first); in ten-thousandths, both numbers in ten-thousandths and not negative.
qint64 withoutCarrying(qint64 a, qint64 b, bool subtract);

// The record of a wrong answer to `problem` by the signed-in pupil (CurrentStudent) at the
// current level (CurrentLevel), dated `now` to the second, with its kind.
MistakeRecord makeMistakeRecord(const Session& session, const Problem& problem,
                                const QString& typed, const QDateTime& now);

} // namespace zanfolio
