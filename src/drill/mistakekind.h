#pragma once
// Why a typed answer is wrong: the kind of mistake behind a wrong answer of the drill, for the
// teacher's figures, and the record of the wrong answer that the mistakes file keeps.
//
// The typed text is read as judging reads it (a leading number: blanks, a sign, digits, one
// point, digits; the rest ignored). Then the rules below are tried in the order of
// kMistakeKinds and the first that fits decides. A stands for the first number, B for the
// second, C for the correct answer and T for the typed number; "columns" are the decimal
// columns lined up at the point (ones, tens, tenths, ...), and a number's written columns are
// those its text has a digit in: the typed number's as typed ("03.50" writes tens to
// hundredths), the answer's as Text writes it ("0.3" writes ones and tenths).
//
//  位取り      The digits of A and of B (Text without its point, as whole numbers: 0.07 → 7,
//              10.3 → 103) added, or for "－" the smaller taken from the larger, as if their
//              last digits stood in one column; T is that result with as many places as A has,
//              or as B has. 0.07 ＋ 3 → 0.1 or 10; 4.5 ＋ 0.08 → 5.3 or 0.53.
//  小数点の位置 T is C times a power of ten (10, 100, 0.1, ...): the same digits, the point
//              moved. 5.3 → 53 or 0.53.
//  ゼロ        T is the number of Text(C) with one "0" added anywhere or one of its "0"s left
//              out. 3.05 → 3.5; 3.5 → 3.05 or 30.5.
//  逆算        T is the result of the other operation: for "＋" A − B or B − A, for "－" A + B.
//  繰り上がり・繰り下がり
//              T − C is +1 or −1 in a single column (T = C ± 10^k, T not negative), and
//              the correct calculation carries into that column (for "＋" the column below
//              sums to ten or more, counting its own carry) or borrows from it (for "－" the
//              column below takes a ten from it). A forgotten carry: 0.9 ＋ 0.3 → 0.2; a
//              borrow not taken off: 1.3 － 0.6 → 1.7.
//  打ち間違い  T (not negative) and C differ in exactly one column, by any amount, and both
//              write that column: one wrong digit among digits in the right places. 5.3 → 5.8;
//              3.07 → 3 is not one (the typed number writes no hundredths).
//  未入力      No number read, and the text is empty or a lone point (blanks aside).
//  その他      Everything else: a text without a number that is more than a lone point ("..",
//              "*5", "+"), a number of more than 17 digits, a negative number other than 逆算.
//
// The function is meant for wrong answers: a text that judging accepts (answerMatches) is no
// mistake and gets その他, whatever it looks like.

#include "drill/decimal.h"
#include "drill/problem.h"
#include "frame/sharedstate.h"
#include "results/mistakerecord.h"

#include <QDateTime>
#include <QString>

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

// The record of a wrong answer to `problem` by the signed-in pupil (CurrentStudent) at the
// current level (CurrentLevel), dated `now` to the second, with its kind.
MistakeRecord makeMistakeRecord(const SharedState& state, const Problem& problem,
                                const QString& typed, const QDateTime& now);

} // namespace zanfolio
