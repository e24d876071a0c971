#include "drill/mistakekind.h"

#include "drill/answerentry.h"
#include "frame/untyped.h"

#include <array>
#include <optional>

namespace zanfolio {

namespace {

// Digits a value may have in all, so that every product and sum below fits in 64 bits.
constexpr int kMostDigits = 17;

qint64 pow10(int n) {
    qint64 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

// An exact decimal m × 10^−places with no trailing zero after the point (places ≥ 0), so that
// equal numbers have equal members.
struct Exact {
    qint64 m = 0;
    int places = 0;

    static Exact of(qint64 m, int places) {
        while (places > 0 && m % 10 == 0) {
            m /= 10;
            --places;
        }
        return {m, places};
    }
    static Exact of(Decimal d) { return of(d.units(), 4); }

    friend bool operator==(const Exact&, const Exact&) = default;
};

// The same number as m' × 10^e with m' not a multiple of ten: equal m' and unequal e mean the
// same digits with the point elsewhere.
std::pair<qint64, int> significant(Exact x) {
    qint64 m = x.m;
    int e = -x.places;
    while (m != 0 && m % 10 == 0) {
        m /= 10;
        ++e;
    }
    return {m, e};
}

// The leading number of a text, read as judging reads it, with its digits as typed.
struct Written {
    bool found = false; // a digit was read
    bool fits = true;   // at most kMostDigits digits after leading zeros
    bool negative = false;
    QString wholeDigits;    // as typed, leading zeros kept ("" for ".5")
    QString fractionDigits; // as typed, trailing zeros kept
    Exact value;
};

Written readWritten(const QString& text) {
    Written w;
    const NumberText number = leadingNumberText(text);
    w.found = number.found();
    w.negative = number.negative;
    w.wholeDigits = number.whole.toString();
    w.fractionDigits = number.fraction.toString();
    QString digits = w.wholeDigits + w.fractionDigits;
    while (digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.size() > kMostDigits || w.fractionDigits.size() > kMostDigits) {
        w.fits = false;
        return w;
    }
    const qint64 m = digits.isEmpty() ? 0 : digits.toLongLong();
    w.value = Exact::of(w.negative ? -m : m, int(w.fractionDigits.size()));
    return w;
}

// The digit of a written number in column `column` (0 ones, 1 tens, −1 tenths, ...), or none
// when its text writes no digit there.
std::optional<int> writtenDigit(const QString& wholeDigits, const QString& fractionDigits,
                                int column) {
    if (column >= 0) {
        if (column >= wholeDigits.size())
            return std::nullopt;
        return wholeDigits[wholeDigits.size() - 1 - column].unicode() - u'0';
    }
    if (-column > fractionDigits.size())
        return std::nullopt;
    return fractionDigits[-column - 1].unicode() - u'0';
}

// The digit of a non-negative number of ten-thousandths in column `column` (−4 and up).
int unitDigit(qint64 units, int column) {
    return int((units / pow10(column + 4)) % 10);
}

// Columns −4 (ten-thousandths) to 14, indexed by column + 4: the ones a value of 64 bits in
// ten-thousandths can reach.
constexpr int kColumns = 19;

// The columns into which the correct calculation carries (addition) or from which it borrows
// (subtraction), indexed by column + 4. Numbers are taken as their sizes, larger first for a
// subtraction, so a problem outside the drill's range still gets an answer.
std::array<bool, kColumns> carryColumns(qint64 a, qint64 b, bool subtract) {
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    if (subtract && a < b)
        std::swap(a, b);
    std::array<bool, kColumns> into{};
    int carry = 0;
    for (int i = 0; i + 1 < kColumns; ++i) {
        const int da = unitDigit(a, i - 4);
        const int db = unitDigit(b, i - 4);
        if (subtract)
            carry = da - db - carry < 0 ? 1 : 0;
        else
            carry = da + db + carry >= 10 ? 1 : 0;
        into[size_t(i + 1)] = carry == 1;
    }
    return into;
}

// Whether the value of `candidate` (read as judging reads it) is `t`.
bool readsAs(const QString& candidate, const Exact& t) {
    const Written w = readWritten(candidate);
    return w.found && w.fits && w.value == t;
}

bool isPlaceAlignment(const ProblemNumbers& p, bool subtract, const Exact& t) {
    const Exact a = Exact::of(p.first);
    const Exact b = Exact::of(p.second);
    if (a.places == b.places)
        return false; // lined up at the right is lined up at the point: the correct answer
    const qint64 r = subtract ? (a.m > b.m ? a.m - b.m : b.m - a.m) : a.m + b.m;
    return t == Exact::of(r, a.places) || t == Exact::of(r, b.places);
}

bool isPointPosition(const Exact& c, const Exact& t) {
    if (c.m == 0 || t.m == 0)
        return false;
    const auto [cm, ce] = significant(c);
    const auto [tm, te] = significant(t);
    return cm == tm && ce != te;
}

bool isZero(const ProblemNumbers& p, bool subtract, const Exact& t) {
    // A zero that holds a place left out of one of the numbers, the rest worked out.
    const auto worked = [&](Decimal a, Decimal b) {
        return t == Exact::of(subtract ? a - b : a + b);
    };
    for (Decimal a : withAZeroLeftOut(p.first))
        if (worked(a, p.second))
            return true;
    for (Decimal b : withAZeroLeftOut(p.second))
        if (worked(p.first, b))
            return true;
    // A zero added to the answer or left out of it.
    const QString answerText = Text(p.answer);
    const qsizetype start = answerText.startsWith(u'-') ? 1 : 0;
    const auto fits = [&](const QString& candidate) { return readsAs(candidate, t); };
    for (qsizetype i = start; i <= answerText.size(); ++i) {
        QString added = answerText;
        if (fits(added.insert(i, u'0')))
            return true;
        if (i < answerText.size() && answerText[i] == u'0') {
            QString dropped = answerText;
            if (fits(dropped.remove(i, 1)))
                return true;
        }
    }
    return false;
}

bool isReversed(const ProblemNumbers& p, bool subtract, const Exact& t) {
    if (subtract)
        return t == Exact::of(p.first + p.second);
    return t == Exact::of(p.first - p.second) || t == Exact::of(p.second - p.first);
}

// A non-negative exact value in ten-thousandths, or none when it has more places or digits.
std::optional<qint64> unitsOf(const Exact& x) {
    if (x.m < 0 || x.places > 4 || x.m > pow10(kMostDigits - 4))
        return std::nullopt;
    return x.m * pow10(4 - x.places);
}

// Subtraction done column by column with the smaller digit taken from the larger wherever a
// borrow was due, everywhere (6.2 － 5.75 → 1.55) or in the decimal columns only, the whole
// part worked out properly (10 － 3.45 → 7.45).
std::array<qint64, 2> smallerFromLarger(qint64 a, qint64 b) {
    if (a < b)
        std::swap(a, b);
    qint64 everywhere = 0;
    qint64 decimals = 0;
    for (int column = -4; column < kColumns - 4; ++column) {
        const int da = unitDigit(a, column);
        const int db = unitDigit(b, column);
        const qint64 digit = qint64(da > db ? da - db : db - da) * pow10(column + 4);
        everywhere += digit;
        if (column < 0)
            decimals += digit;
    }
    const qint64 one = pow10(4);
    return {everywhere, (a / one - b / one) * one + decimals};
}

} // namespace

std::vector<Decimal> withAZeroLeftOut(Decimal x) {
    std::vector<Decimal> out;
    const QString text = Text(x);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'0' || (i == 0 && text.size() > 1 && text[1] == u'.'))
            continue;
        const LeadingDecimal read = leadingDecimal(QString(text).remove(i, 1));
        if (read.found && read.exact && read.value != x)
            out.push_back(read.value);
    }
    return out;
}

qint64 withoutCarrying(qint64 a, qint64 b, bool subtract) {
    if (subtract && a < b)
        std::swap(a, b);
    qint64 r = 0;
    for (int column = -4; column < kColumns - 4; ++column) {
        const int da = unitDigit(a, column);
        const int db = unitDigit(b, column);
        const int digit = subtract ? (da - db + 10) % 10 : (da + db) % 10;
        r += qint64(digit) * pow10(column + 4);
    }
    return r;
}

namespace {

bool isCarryOrBorrow(const ProblemNumbers& p, bool subtract, const Exact& t) {
    const std::optional<qint64> typed = unitsOf(t);
    if (!typed)
        return false;
    const qint64 a = p.first.units();
    const qint64 b = p.second.units();
    // A forgotten carry leaves its column one smaller; a borrow not taken off leaves the
    // column it came from one larger.
    const qint64 difference = *typed - p.answer.units();
    const std::array<bool, kColumns> carried = carryColumns(a, b, subtract);
    for (int i = 0; i < kColumns; ++i) {
        if (carried[size_t(i)] && difference == (subtract ? pow10(i) : -pow10(i)))
            return true;
    }
    if (a < 0 || b < 0)
        return false;
    // Every carry forgotten, or no borrow ever taken off.
    if (*typed == withoutCarrying(a, b, subtract))
        return true;
    if (!subtract)
        return false;
    const std::array<qint64, 2> noBorrow = smallerFromLarger(a, b);
    return *typed == noBorrow[0] || *typed == noBorrow[1];
}

// The shortest text of a value, as Text writes the drill's numbers.
QString plainText(const Exact& x) {
    QString digits = QString::number(x.m < 0 ? -x.m : x.m);
    if (x.places > 0) {
        if (digits.size() <= x.places)
            digits = QString(x.places + 1 - digits.size(), u'0') + digits;
        digits.insert(digits.size() - x.places, u'.');
    }
    return x.m < 0 ? u'-' + digits : digits;
}

// Slips of the keys, judged by value so that "4.", "4.0" and "4" are alike:
//  - one column wrong (zeros count as digits wherever either number has none);
//  - two neighbouring digits swapped (0.16 → 0.61);
//  - the last digit left off (4.25 → 4.2, 425 → 42), or everything after the whole part
//    (4.25 → 4.);
//  - a digit typed twice (4.25 → 4.255, 44.25).
bool isTypo(const QString& answerText, const Written& t) {
    if (t.negative && t.value.m != 0)
        return false;
    const QString typed = plainText(t.value);
    const auto split = [](const QString& text) {
        const qsizetype point = text.indexOf(u'.');
        return std::pair{point < 0 ? text : text.left(point),
                         point < 0 ? QString() : text.mid(point + 1)};
    };
    const auto [answerWhole, answerFraction] = split(answerText);
    const auto [typedWhole, typedFraction] = split(typed);
    const int highest = int(qMax(answerWhole.size(), typedWhole.size())) - 1;
    const int lowest = -int(qMax(answerFraction.size(), typedFraction.size()));
    int differing = 0;
    for (int column = lowest; column <= highest; ++column) {
        const int c = writtenDigit(answerWhole, answerFraction, column).value_or(0);
        const int d = writtenDigit(typedWhole, typedFraction, column).value_or(0);
        differing += c != d ? 1 : 0;
    }
    if (differing == 1)
        return true;

    if (readsAs(answerText.chopped(1), t.value) || readsAs(answerWhole, t.value))
        return true;
    for (qsizetype i = 0; i < answerText.size(); ++i) {
        if (!answerText[i].isDigit())
            continue;
        QString doubled = answerText;
        if (readsAs(doubled.insert(i, answerText[i]), t.value))
            return true;
        if (i + 1 < answerText.size() && answerText[i + 1].isDigit()) {
            QString swapped = answerText;
            std::swap(swapped[i], swapped[i + 1]);
            if (readsAs(swapped, t.value))
                return true;
        }
    }
    return false;
}

bool isBlankOrLonePoint(const QString& text) {
    QString rest = text;
    rest.remove(u' ');
    rest.remove(u'\t');
    return rest.isEmpty() || rest == QStringLiteral(".");
}

} // namespace

namespace {

// Whether rule `kind` fits the typed number, whatever the rules before it say.
bool fits(MistakeKind kind, const ProblemNumbers& p, const Written& t) {
    const bool subtract = p.sign == QStringLiteral("－");
    switch (kind) {
    case MistakeKind::PlaceAlignment:
        return isPlaceAlignment(p, subtract, t.value);
    case MistakeKind::PointPosition:
        return isPointPosition(Exact::of(p.answer), t.value);
    case MistakeKind::Zero:
        return isZero(p, subtract, t.value);
    case MistakeKind::ReversedOperation:
        return isReversed(p, subtract, t.value);
    case MistakeKind::CarryOrBorrow:
        return isCarryOrBorrow(p, subtract, t.value);
    case MistakeKind::Typo:
        return isTypo(Text(p.answer), t);
    case MistakeKind::NoInput:
    case MistakeKind::Other:
        break;
    }
    return false;
}

} // namespace

bool mistakeFits(MistakeKind kind, const ProblemNumbers& p, const QString& typed) {
    if (answerMatches(typed, p.answer))
        return false;
    const Written t = readWritten(typed);
    if (!t.found)
        return kind == MistakeKind::NoInput && isBlankOrLonePoint(typed);
    return t.fits && fits(kind, p, t);
}

MistakeKind classifyMistake(const ProblemNumbers& p, const QString& typed) {
    if (answerMatches(typed, p.answer))
        return MistakeKind::Other;
    const Written t = readWritten(typed);
    if (!t.found)
        return isBlankOrLonePoint(typed) ? MistakeKind::NoInput : MistakeKind::Other;
    if (!t.fits)
        return MistakeKind::Other;
    for (MistakeKind kind : kMistakeKinds)
        if (fits(kind, p, t))
            return kind;
    return MistakeKind::Other;
}

MistakeRecord makeMistakeRecord(const Session& session, const Problem& problem,
                                const QString& typed, const QDateTime& now) {
    MistakeRecord r;
    r.date = now.date();
    const QTime t = now.time();
    r.time = QTime(t.hour(), t.minute(), t.second());
    r.pupil = session.CurrentStudent;
    r.level = session.CurrentLevel;
    r.first = problem.rowTexts[0];
    r.sign = problem.sign;
    r.second = problem.rowTexts[1];
    r.answer = Text(problem.answer);
    r.typed = typed;
    r.kind = classifyMistake(ProblemNumbers::of(problem), typed);
    return r;
}

} // namespace zanfolio
