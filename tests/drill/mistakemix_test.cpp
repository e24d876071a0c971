// Wrong answers as pupils make them: each made by a procedure of its own (a slip of the keys or
// a wrong way of working) on problems drawn by the drill, mixed in proportions like those of a
// classroom, and classified. Each must get its own kind, or a kind earlier in the order when its
// value happens to fit that one too; the share that lands in その他 is printed.

#include "app/sharedstate.h"
#include "drill/answerentry.h"
#include "drill/mistakekind.h"

#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <random>

namespace zanfolio {
namespace {

using K = MistakeKind;

constexpr qint64 kOne = 10000; // ten-thousandths

int digitAt(qint64 units, int column) {
    qint64 p = 1;
    for (int i = -4; i < column; ++i)
        p *= 10;
    return int((units / p) % 10);
}

qint64 columnValue(int column) {
    qint64 p = 1;
    for (int i = -4; i < column; ++i)
        p *= 10;
    return p;
}

class Pupil {
  public:
    explicit Pupil(unsigned seed) : engine_(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }

    // A slip or a wrong procedure on the problem; an empty text when it does not apply.
    QString answer(K kind, int variant, const ProblemNumbers& p) {
        const bool subtract = p.sign == QStringLiteral("－");
        const QString c = Text(p.answer);
        const qint64 a = p.first.units();
        const qint64 b = p.second.units();
        switch (kind) {
        case K::Typo:
            return slip(variant, c);
        case K::PlaceAlignment: {
            // The digits lined up at the right: 0.07 ＋ 3 worked as 7 ＋ 3.
            const auto digits = [](const QString& t) { return QString(t).remove(u'.'); };
            const qint64 da = digits(Text(p.first)).toLongLong();
            const qint64 db = digits(Text(p.second)).toLongLong();
            const qint64 r = subtract ? std::abs(da - db) : da + db;
            const QString shaped = Text(below(2) ? p.first : p.second);
            const int places =
                shaped.contains(u'.') ? int(shaped.size() - shaped.indexOf(u'.') - 1) : 0;
            return Text(Decimal::fromUnits(r * columnValue(-places)));
        }
        case K::PointPosition: { // one place to the right, or to the left
            const qint64 u = p.answer.units();
            return Text(Decimal::fromUnits(below(2) || u % 10 != 0 ? u * 10 : u / 10));
        }
        case K::Zero: {
            QString t = c;
            const qsizetype zero = t.indexOf(u'0', 1);
            if (below(2) && zero > 0)
                return t.remove(zero, 1);
            return t.insert(1 + below(int(t.size())), u'0');
        }
        case K::ReversedOperation:
            return Text(subtract ? p.first + p.second : Decimal::fromUnits(std::abs(a - b)));
        case K::CarryOrBorrow:
            return subtract ? (variant == 0 ? borrowNotTakenOff(a, b) : smallerFromLarger(a, b))
                            : forgottenCarry(a, b);
        default: // a guess near the answer
            return Text(Decimal::fromUnits(std::max<qint64>(
                0, p.answer.units() + (below(2) ? 1 : -1) * (1 + below(40)) * 300)));
        }
    }

  private:
    QString slip(int variant, const QString& c) {
        QString t = c;
        std::vector<qsizetype> digits;
        for (qsizetype i = 0; i < t.size(); ++i)
            if (t[i].isDigit())
                digits.push_back(i);
        const qsizetype at = digits[size_t(below(int(digits.size())))];
        switch (variant) {
        case 0: // one digit mistyped
            t[at] = QChar(u'0' + (t[at].unicode() - u'0' + 1 + below(9)) % 10);
            return t;
        case 1: // neighbours swapped
            for (qsizetype i = 0; i + 1 < t.size(); ++i)
                if (t[i].isDigit() && t[i + 1].isDigit() && t[i] != t[i + 1]) {
                    std::swap(t[i], t[i + 1]);
                    return t;
                }
            return {};
        case 2: // the last digit left off
            return t.size() > 1 ? t.chopped(1) : QString();
        case 3: // handed in after the whole part
            return t.contains(u'.') ? t.left(t.indexOf(u'.') + 1) : QString();
        default: // a digit typed twice
            return t.insert(at, t[at]);
        }
    }

    QString forgottenCarry(qint64 a, qint64 b) {
        std::vector<int> carried;
        int carry = 0;
        for (int column = -4; column < 10; ++column) {
            carry = digitAt(a, column) + digitAt(b, column) + carry >= 10 ? 1 : 0;
            if (carry)
                carried.push_back(column + 1);
        }
        if (carried.empty())
            return {};
        return Text(
            Decimal::fromUnits(a + b - columnValue(carried[size_t(below(int(carried.size())))])));
    }

    QString borrowNotTakenOff(qint64 a, qint64 b) {
        std::vector<int> lent;
        int borrow = 0;
        for (int column = -4; column < 10; ++column) {
            borrow = digitAt(a, column) - digitAt(b, column) - borrow < 0 ? 1 : 0;
            if (borrow)
                lent.push_back(column + 1);
        }
        if (lent.empty())
            return {};
        return Text(Decimal::fromUnits(a - b + columnValue(lent[size_t(below(int(lent.size())))])));
    }

    QString smallerFromLarger(qint64 a, qint64 b) {
        qint64 r = 0;
        for (int column = -4; column < 10; ++column)
            r += std::abs(digitAt(a, column) - digitAt(b, column)) * columnValue(column);
        return Text(Decimal::fromUnits(r));
    }

    std::mt19937 engine_;
};

// Wrong answers per thousand, by what made them.
struct Share {
    K kind;
    int variant;
    int weight;
    const char* what;
};
constexpr Share kMix[] = {
    {K::Typo, 0, 220, "one digit mistyped"},
    {K::Typo, 1, 50, "neighbouring digits swapped"},
    {K::Typo, 2, 50, "the last digit left off"},
    {K::Typo, 3, 50, "handed in after the whole part"},
    {K::Typo, 4, 50, "a digit typed twice"},
    {K::PlaceAlignment, 0, 120, "digits lined up at the right"},
    {K::PointPosition, 0, 60, "the point moved"},
    {K::Zero, 0, 60, "a zero dropped or added"},
    {K::ReversedOperation, 0, 40, "the other operation"},
    {K::CarryOrBorrow, 0, 120, "a carry forgotten or a borrow not taken off"},
    {K::CarryOrBorrow, 1, 130, "the smaller digit from the larger (subtractions)"},
    {K::Other, 0, 50, "a guess near the answer"},
};

TEST(MistakeMix, EachWrongAnswerGetsTheKindThatMadeItAndLittleIsLeftToOther) {
    Pupil pupil(20261210);
    SystemRandom random(1210);
    std::map<K, int> counted;
    int total = 0;
    int unexplained = 0; // answers made by a known slip or procedure that land in その他
    int madeKnown = 0;
    for (int level = 1; level <= 5; ++level) {
        SharedState s;
        s.session.CurrentLevel = level;
        s.run.TotalProblems = 10;
        for (const Share& share : kMix) {
            for (int i = 0; i < share.weight * 4; ++i) {
                const std::optional<Problem> problem =
                    問題作成表示(s.run, s.outcome, s.session.CurrentLevel, random);
                ASSERT_TRUE(problem);
                const ProblemNumbers p = ProblemNumbers::of(*problem);
                const QString typed = pupil.answer(share.kind, share.variant, p);
                if (typed.isEmpty() || answerMatches(typed, p.answer))
                    continue; // the procedure goes right on this problem
                const K kind = classifyMistake(p, typed);
                ++counted[kind];
                ++total;
                if (share.kind == K::Other)
                    continue;
                ++madeKnown;
                if (kind == K::Other)
                    ++unexplained;
                EXPECT_LE(int(kind), int(share.kind))
                    << share.what << ": " << problem->rowTexts[0].toStdString() << " "
                    << p.sign.toStdString() << " " << problem->rowTexts[1].toStdString()
                    << ", typed " << typed.toStdString() << " → "
                    << mistakeKindLabel(kind).toStdString();
            }
        }
    }
    std::cout << "wrong answers: " << total << "; by kind:";
    for (const auto& [kind, n] : counted)
        std::cout << " " << mistakeKindLabel(kind).toStdString() << " " << n;
    std::cout << "\nその他: " << 100.0 * counted[K::Other] / total << " % of all, "
              << 100.0 * unexplained / madeKnown << " % of those a known slip or procedure made\n";
    EXPECT_EQ(unexplained, 0);
}

} // namespace
} // namespace zanfolio
