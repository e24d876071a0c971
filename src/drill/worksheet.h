#pragma once
// A worksheet aimed at one wrong way of working ("弱点プリント"), and the practice run aimed at
// it ("弱点練習"): problems of the pupil's level on which the way of working gives a wrong
// answer (misconceptions.h), and the way named in plain words for the pupil.

#include "drill/problem.h"
#include "frame/random.h"
#include "results/mistakerecord.h"

#include <QString>
#include <vector>

namespace zanfolio {

inline constexpr int kWorksheetProblems = 20;
inline constexpr int kAimedPracticeProblems = 10;

// What to mind, said to the pupil ("小数点をたてにそろえて計算しよう" for 位取り); empty for a
// kind that is no way of working.
QString misconceptionAdvice(MistakeKind kind);
// The way of working named for the pupil ("小数点のそろえ方" for 位取り).
QString misconceptionTitle(MistakeKind kind);

// `count` different problems of `level` on which `kind`'s procedure fails, drawn as the drill
// draws (fewer only when the level has fewer such problems to draw from, or none for a kind
// without a procedure).
std::vector<Problem> aimedProblems(int level, MistakeKind kind, int count, RandomSource& random);

} // namespace zanfolio
