#include "drill/decimal.h"

#include <gtest/gtest.h>

namespace zanfolio {
namespace {

Decimal d(qint64 units) {
    return Decimal::fromUnits(units);
}

TEST(DecimalText, RowAndColumnFormsOfTheDrillsNumbers) {
    struct Case {
        Decimal x;
        const char* text;
        const char* aligned;
    };
    const Case cases[] = {
        {d(30000), "3", "  3.   "},       {d(3000), "0.3", "  0.3"},
        {d(500), "0.05", "  0.05"},       {d(125000), "12.5", " 12.5  "},
        {d(1089000), "108.9", "108.9  "}, {d(700), "0.07", "  0.07"},
        {d(270000), "27", " 27.   "},     {d(999000), "99.9", " 99.9  "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(c.x), QString::fromLatin1(c.text));
        EXPECT_EQ(Aligned(c.x), QString::fromLatin1(c.aligned)) << c.text;
        EXPECT_EQ(Aligned(c.x).indexOf(u'.'), 3) << "point not in the fourth place: " << c.text;
    }
}

TEST(DecimalArithmetic, SumsAndDifferencesOfHundredthsAreExact) {
    // 0.1 + 0.2 is the classic binary-fraction trap.
    EXPECT_EQ(Decimal::fromScaled(1, -1) + Decimal::fromScaled(2, -1), Decimal::fromScaled(3, -1));
    EXPECT_EQ(Decimal::fromScaled(999, -1) + Decimal::fromScaled(9, 0), d(1089000));
    EXPECT_EQ(d(1089000) - Decimal::fromScaled(9, 0), Decimal::fromScaled(999, -1));
    EXPECT_LT(Decimal::fromScaled(9, -2), Decimal::fromScaled(1, -1));
    EXPECT_EQ(Text(Decimal::fromScaled(3, -2) - Decimal::fromScaled(1, -1)),
              QStringLiteral("-0.07"));
}

TEST(LeadingDecimal, ReadsTheNumberAtTheStartOfTheTypedText) {
    struct Case {
        const char* text;
        qint64 units;
        bool found;
        bool exact;
    };
    const Case cases[] = {
        {"5.3", 53000, true, true},     {".3", 3000, true, true},
        {"0.30", 3000, true, true},     {"3.", 30000, true, true},
        {".", 0, false, true},          {"", 0, false, true},
        {"5.3*", 53000, true, true},    {"5.3,", 53000, true, true},
        {"5.3.1", 53000, true, true},   {"-0.5", -5000, true, true},
        {"+2", 20000, true, true},      {"*5", 0, false, true},
        {"0.300000", 3000, true, true}, {"0.300001", 3000, true, false},
        {"1/2", 10000, true, true},
    };
    for (const Case& c : cases) {
        const LeadingDecimal n = leadingDecimal(QString::fromLatin1(c.text));
        EXPECT_EQ(n.value.units(), c.units) << c.text;
        EXPECT_EQ(n.found, c.found) << c.text;
        EXPECT_EQ(n.exact, c.exact) << c.text;
    }
}

} // namespace
} // namespace zanfolio
