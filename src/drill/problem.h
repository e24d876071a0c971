#pragma once
// `問題作成表示` without its form: the next problem of the current level, drawn through the
// RandomSource, with everything the drill form shows for it and the delay of its hint.
//
// Problem types by level: 1 "足し算１" a ＋ b with one-digit mantissas; 2 "引き算１" (a + b) － b;
// 3 "足し算２" a ＋ b with one two-digit mantissa; 4 "引き算２" (a + b) － b with a three-digit a;
// 5 "混合" type 3 or 4, chosen afresh for every problem. Subtractions are built backwards from
// their answer, so the first number shown is never smaller than the second and no answer is
// negative. The first drawn number always has decimal places (its exponent is −2 or −1).

#include "drill/decimal.h"
#include "drill/runinprogress.h"
#include "frame/random.h"
#include "results/recordrun.h"

#include <QString>
#include <array>
#include <optional>

namespace zanfolio {

// The draws as the form keeps them: NumberA = DigitA × 10^ExponentA, NumberB likewise.
struct ProblemDraw {
    int DigitA = 0;
    int ExponentA = 0; // −2 or −1 once accepted (a draw of 0 is drawn again)
    int DigitB = 0;
    int ExponentB = 0; // −2, −1 or 0
};

struct Problem {
    int type = 0; // 1..4
    ProblemDraw draw;
    Decimal first;  // shown first (qLabel1, Label1)
    Decimal second; // shown second (qlabel2, Label5)
    QString sign;   // "＋" (types 1, 3) or "－" (types 2, 4), for Label6 and Label9
    Decimal answer; // also the JudgedAnswer of the key handling
    std::array<QString, 2> rowTexts;     // qLabel1, qlabel2: Text(first), Text(second)
    std::array<QString, 2> alignedTexts; // Label1, Label5: Aligned(first), Aligned(second)
    int hintDelayMs = 0;                 // Timer1's interval before the column layout shows
};

// The type of `level`: 1..4 for levels 1..4; level 5 draws one r and takes Int(2r + 3);
// levels without problems (6 and up, which are never offered) give none and draw nothing.
std::optional<int> problemTypeForLevel(int level, RandomSource& random);

// Draws the numbers of a problem of `type` (1..4), one fresh r per value, in this order:
// types 1, 2 and 4 DigitA, ExponentA, DigitB, ExponentB; type 3 first the even-odds r (above
// 0.5: the two-digit mantissa is DigitA), then DigitA, DigitB, ExponentA, ExponentB. The whole
// draw is repeated while the first number (NumberA) has no decimal places: when ExponentA is 0,
// or when DigitA ends in as many zeros as ExponentA moves the point (730 × 0.1).
ProblemDraw drawProblem(int type, RandomSource& random);

// The hint delay: 1000 ms while C < CLng(0.1 N), 2000 ms while C < CLng(0.2 N), 3000 ms while
// C < CLng(0.5 N), else 5000 ms (C correct answers so far, N needed). CLng rounds halves to
// the even neighbour: with N = 5, CLng(0.5) is 0 and CLng(2.5) is 2.
int hintDelayMs(int correctCount, int totalProblems);

// The problem of `type` (1..4) that `draw` makes, as the form shows it (no hint delay yet).
Problem problemOf(int type, const ProblemDraw& draw);

// `問題作成表示`: none while TimedOut, RunFinished or InputBusy is 1 (the current problem
// stays), and none for a level without problems; otherwise the next problem of `level`
// (CurrentLevel) with its hint delay from CorrectCount and TotalProblems. The form clears qLabel1
// and inputLabel, hides the column layout, shows the problem, arms Timer1 and takes the answer as
// JudgedAnswer only when a problem comes back.
std::optional<Problem> 問題作成表示(const RunInProgress& run, const RunOutcome& outcome, int level,
                                    RandomSource& random);

} // namespace zanfolio
