#include "drill/misconceptions.h"

#include <algorithm>

namespace zanfolio {

namespace {

constexpr int kMostAimedDraws = 1000;

// The digits of Text(x) without its point, as a whole number (0.07 → 7, 10.3 → 103), and the
// places after the point.
std::pair<qint64, int> digitsOf(Decimal x) {
    const QString text = Text(x);
    const qsizetype point = text.indexOf(u'.');
    const int places = point < 0 ? 0 : int(text.size() - point - 1);
    return {QString(text).remove(u'.').toLongLong(), places};
}

qint64 unitsPerPlace(int places) {
    qint64 units = 10000;
    for (int i = 0; i < places; ++i)
        units /= 10;
    return units;
}

} // namespace

Decimal misconceivedAnswer(MistakeKind kind, const ProblemNumbers& p) {
    const bool subtract = p.sign == QStringLiteral("－");
    switch (kind) {
    case MistakeKind::PlaceAlignment: {
        const auto [a, places] = digitsOf(p.first);
        const qint64 b = digitsOf(p.second).first;
        const qint64 digits = subtract ? std::max(a, b) - std::min(a, b) : a + b;
        return Decimal::fromUnits(digits * unitsPerPlace(places));
    }
    case MistakeKind::PointPosition:
        return Decimal::fromUnits(p.answer.units() * 10);
    case MistakeKind::Zero: {
        // The first number's zero, else the second's (where the rest can be worked out),
        // else the answer's.
        for (Decimal a : withAZeroLeftOut(p.first))
            if (!subtract || a >= p.second)
                return subtract ? a - p.second : a + p.second;
        for (Decimal b : withAZeroLeftOut(p.second))
            if (!subtract || p.first >= b)
                return subtract ? p.first - b : p.first + b;
        const std::vector<Decimal> answers = withAZeroLeftOut(p.answer);
        return answers.empty() ? p.answer : answers.front();
    }
    case MistakeKind::ReversedOperation:
        return subtract ? p.first + p.second
                        : Decimal::fromUnits(std::abs(p.first.units() - p.second.units()));
    case MistakeKind::CarryOrBorrow:
        return Decimal::fromUnits(withoutCarrying(p.first.units(), p.second.units(), subtract));
    case MistakeKind::Typo:
    case MistakeKind::NoInput:
    case MistakeKind::Other:
        break;
    }
    return p.answer;
}

bool isOpportunity(MistakeKind kind, const ProblemNumbers& p) {
    return isMisconception(kind) && misconceivedAnswer(kind, p) != p.answer;
}

std::vector<MistakeKind> opportunitiesOf(const ProblemNumbers& p) {
    std::vector<MistakeKind> out;
    for (MistakeKind kind : kMisconceptions)
        if (isOpportunity(kind, p))
            out.push_back(kind);
    return out;
}

std::vector<MistakeKind> misconceptionsShownBy(const ProblemNumbers& p, const QString& typed) {
    std::vector<MistakeKind> out;
    for (MistakeKind kind : kMisconceptions)
        if (mistakeFits(kind, p, typed))
            out.push_back(kind);
    return out;
}

std::optional<Problem> drawAimedProblem(int level, MistakeKind kind, RandomSource& random) {
    if (!isMisconception(kind))
        return std::nullopt;
    for (int i = 0; i < kMostAimedDraws; ++i) {
        const std::optional<int> type = problemTypeForLevel(level, random);
        if (!type)
            return std::nullopt;
        Problem p = problemOf(*type, drawProblem(*type, random));
        if (isOpportunity(kind, ProblemNumbers::of(p)))
            return p;
    }
    return std::nullopt;
}

AnswerRecord makeAnswerRecord(const Session& session, const Problem& problem, const QString& typed,
                              bool correct, const QDateTime& handedIn, qint64 msSinceShown,
                              bool practice) {
    const ProblemNumbers numbers = ProblemNumbers::of(problem);
    AnswerRecord r;
    r.date = handedIn.date();
    const QTime t = handedIn.time();
    r.time = QTime(t.hour(), t.minute(), t.second());
    r.pupil = session.CurrentStudent;
    r.level = session.CurrentLevel;
    r.practice = practice;
    r.first = problem.rowTexts[0];
    r.sign = problem.sign;
    r.second = problem.rowTexts[1];
    r.answer = Text(problem.answer);
    r.typed = typed;
    r.correct = correct;
    r.tenthsOfSeconds = int(std::clamp<qint64>((msSinceShown + 50) / 100, 0, 999999));
    if (!correct) {
        r.kind = classifyMistake(numbers, typed);
        r.shown = misconceptionsShownBy(numbers, typed);
    }
    r.opportunities = opportunitiesOf(numbers);
    return r;
}

} // namespace zanfolio
