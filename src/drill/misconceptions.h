#pragma once
// The wrong ways of working behind the mistakes a pupil can unlearn, each as a procedure that a
// pupil who holds it applies to every problem (the "buggy procedures" of diagnostic research on
// arithmetic: a consistent wrong procedure gives the same wrong answer wherever it applies).
//
//   位取り       the digits lined up at the right: the digits of the first and second number
//                as whole numbers, added (for "－" the smaller taken from the larger), the
//                point placed as in the first number. 0.07 ＋ 3 → 0.1
//   小数点の位置  the right digits with the point one place to the right (the answer × 10).
//                0.85 → 8.5
//   ゼロ         the first zero that holds a place left out: of the first number, else of
//                the second, else of the answer. 3.05 ＋ 0.2 → 3.7, 0.8 ＋ 0.05 → 1.3,
//                9.9 ＋ 0.4 → 1.3
//   逆算         the other operation (for "＋" the larger less the smaller). 5.3 － 5 → 10.3
//   繰り上がり・繰り下がり
//                every carry forgotten; for "－" every borrow taken and never paid back.
//                0.9 ＋ 0.3 → 0.2, 1.3 － 0.6 → 1.7
//
// A problem is an opportunity for a kind when its procedure gives a wrong answer there: 位取り
// only where the two numbers have different decimal places, ゼロ only where a number or the
// answer has a zero that holds a place, 繰り上がり・繰り下がり only where a carry or a borrow is
// due, 小数点の 位置 and 逆算 on every problem (the drill's answers and second numbers are never
// 0). The answer each procedure gives is one the classifier's rule of that kind takes
// (mistakekind.h).
//
// 打ち間違い, 未入力 and その他 are no way of working: they have no procedure and no
// opportunities.

#include "drill/mistakekind.h"
#include "drill/problem.h"
#include "frame/random.h"
#include "results/answerrecord.h"
#include "results/mistakerecord.h"

#include <optional>
#include <vector>

namespace zanfolio {

// What the kind's procedure gives on the problem; the correct answer for a kind without one.
Decimal misconceivedAnswer(MistakeKind kind, const ProblemNumbers& problem);

// Whether the kind's procedure gives a wrong answer on the problem.
bool isOpportunity(MistakeKind kind, const ProblemNumbers& problem);
// The misconceptions the problem is an opportunity for, in the order of kMisconceptions.
std::vector<MistakeKind> opportunitiesOf(const ProblemNumbers& problem);
// The misconceptions whose own rule fits the typed answer (mistakeFits), in that order.
std::vector<MistakeKind> misconceptionsShownBy(const ProblemNumbers& problem, const QString& typed);

// A problem of `level` (1..5), drawn as the drill draws its problems, on which `kind`'s
// procedure fails: draws are repeated until one is an opportunity. None for a level without
// problems or a kind without a procedure, or when a thousand draws find none.
// The record of an answer handed in to `problem` by the signed-in pupil (CurrentStudent) at the
// current level (CurrentLevel): dated `handedIn` to the second; `msSinceShown` milliseconds
// after the problem appeared, kept in tenths of a second (to the nearest; never below 0);
// `correct` as judging said; with the kind of a wrong answer, the misconceptions the problem is
// an opportunity for and those the answer shows. `practice` for a run that is not recorded.
AnswerRecord makeAnswerRecord(const Session& session, const Problem& problem, const QString& typed,
                              bool correct, const QDateTime& handedIn, qint64 msSinceShown,
                              bool practice);

std::optional<Problem> drawAimedProblem(int level, MistakeKind kind, RandomSource& random);

} // namespace zanfolio
