#include "drill/problem.h"

#include <cmath>

namespace zanfolio {

namespace {

// Int(scale × r + offset). The classroom program wrote these in single precision, where the
// largest draw below 1 (0.99999994) rounds 3r + 2 up to 5 and 2r + 3 up to 5, giving an
// exponent of 1 or a type that does not exist (whose redraw loop never ends). In double
// precision every draw in [0, 1) stays inside the ranges above (exponents −2..0, types 3 and 4).
int drawInt(RandomSource& random, double scale, double offset) {
    return int(std::floor(scale * double(random.next()) + offset));
}

int drawExponent(RandomSource& random) {
    return drawInt(random, 3, 2) - 4;
}

// CLng: to the nearest whole number, halves to the even neighbour.
long long roundHalfEven(double x) {
    const double f = std::floor(x);
    const double d = x - f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0))
        return (long long)f + 1;
    return (long long)f;
}

} // namespace

std::optional<int> problemTypeForLevel(int level, RandomSource& random) {
    switch (level) {
    case 1:
    case 2:
    case 3:
    case 4:
        return level;
    case 5:
        return drawInt(random, 2, 3);
    default:
        return std::nullopt;
    }
}

namespace {

bool firstNumberIsWhole(const ProblemDraw& d) {
    int divisor = 1;
    for (int e = d.ExponentA; e < 0; ++e)
        divisor *= 10;
    return d.DigitA % divisor == 0;
}

} // namespace

ProblemDraw drawProblem(int type, RandomSource& random) {
    ProblemDraw d;
    do {
        switch (type) {
        case 1:
        case 2:
            d.DigitA = drawInt(random, 9, 1);
            d.ExponentA = drawExponent(random);
            d.DigitB = drawInt(random, 9, 1);
            d.ExponentB = drawExponent(random);
            break;
        case 3:
            // Even odds for which of the two numbers has the two-digit mantissa.
            if (random.next() > 0.5f) {
                d.DigitA = drawInt(random, 90, 10);
                d.DigitB = drawInt(random, 9, 1);
            } else {
                d.DigitA = drawInt(random, 9, 1);
                d.DigitB = drawInt(random, 90, 10);
            }
            d.ExponentA = drawExponent(random);
            d.ExponentB = drawExponent(random);
            break;
        default: // 4
            d.DigitA = drawInt(random, 900, 100);
            d.ExponentA = drawExponent(random);
            d.DigitB = drawInt(random, 9, 1);
            d.ExponentB = drawExponent(random);
            break;
        }
        // The first number must have decimal places: redraw everything when ExponentA is 0 (a
        // third of the time) and when a mantissa ending in zeros makes it whole all the same
        // (730 × 0.1, 500 × 0.01). Every other draw keeps its odds.
    } while (d.DigitB * d.ExponentA == 0 || firstNumberIsWhole(d));
    return d;
}

int hintDelayMs(int c, int n) {
    if (c < roundHalfEven(0.1 * n))
        return 1000;
    if (c < roundHalfEven(0.2 * n))
        return 2000;
    if (c < roundHalfEven(0.5 * n))
        return 3000;
    return 5000;
}

Problem problemOf(int type, const ProblemDraw& draw) {
    Problem p;
    p.type = type;
    p.draw = draw;
    const Decimal a = Decimal::fromScaled(draw.DigitA, draw.ExponentA);
    const Decimal b = Decimal::fromScaled(draw.DigitB, draw.ExponentB);
    const bool sum = type == 1 || type == 3;
    p.first = sum ? a : a + b;
    p.second = b;
    p.sign = sum ? QStringLiteral("＋") : QStringLiteral("－");
    p.answer = sum ? a + b : a;
    p.rowTexts = {Text(p.first), Text(p.second)};
    p.alignedTexts = {Aligned(p.first), Aligned(p.second)};
    return p;
}

std::optional<Problem> 問題作成表示(const RunInProgress& run, const RunOutcome& outcome, int level,
                                    RandomSource& random) {
    if (outcome.TimedOut == 1 || run.RunFinished == 1 || run.InputBusy == 1)
        return std::nullopt;
    const std::optional<int> type = problemTypeForLevel(level, random);
    if (!type || *type < 1 || *type > 4)
        return std::nullopt;
    Problem p = problemOf(*type, drawProblem(*type, random));
    p.hintDelayMs = hintDelayMs(run.CorrectCount, run.TotalProblems);
    return p;
}

} // namespace zanfolio
