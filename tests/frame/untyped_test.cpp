#include "frame/untyped.h"

#include <QStringList>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace zanfolio;

TEST(Untyped, EmptyEqualsZeroAndEmptyText) {
    const Untyped empty;
    EXPECT_TRUE(empty == Untyped(0));
    EXPECT_TRUE(empty == Untyped(QString()));
    EXPECT_FALSE(empty == Untyped(1));
    EXPECT_FALSE(empty == Untyped("x"));
    EXPECT_TRUE(empty.isZeroOrEmpty());
    EXPECT_EQ(empty.toText(), QString());
}

TEST(Untyped, ItemsBecomeNumbersWhenNumeric) {
    EXPECT_TRUE(Untyped::fromItem(QStringLiteral("1.5")).isNumber());
    EXPECT_TRUE(Untyped::fromItem(QStringLiteral("1.5x")).isText());
    EXPECT_TRUE(Untyped::fromItem(QString()).isEmpty());
    EXPECT_EQ(Untyped::fromItem(QStringLiteral("7")).toText(), QStringLiteral("7"));
}

TEST(Untyped, ShortestNumberTexts) {
    EXPECT_EQ(shortestNumberText(5), QStringLiteral("5"));
    EXPECT_EQ(shortestNumberText(double(1.5f)), QStringLiteral("1.5"));
    EXPECT_EQ(shortestNumberText(double(1.1f)), QStringLiteral("1.1"));
    EXPECT_EQ(shortestNumberText(-3), QStringLiteral("-3"));
}

TEST(Untyped, LeadingNumberStopsAtTheFirstOtherCharacter) {
    struct Case {
        const char* text;
        double value;
        bool found;
    };
    for (const Case& c : {Case{"5.3", 5.3, true}, Case{".3", 0.3, true}, Case{"0.30*", 0.3, true},
                          Case{"12/ abc", 12, true}, Case{"-4", -4, true}, Case{"abc", 0, false},
                          Case{"1.2.3", 1.2, true}, Case{"", 0, false}, Case{"  7", 7, true}}) {
        bool found = false;
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(c.text), &found), c.value) << c.text;
        EXPECT_EQ(found, c.found) << c.text;
    }
}

// Items are read by hand, not by the string conversion: every value must be the very double the
// string conversion gives, the last bit included.
TEST(Untyped, ItemsReadToTheSameDoubleAsTheStringConversion) {
    QStringList texts{"5.",
                      ".5",
                      "0.1",
                      "000123.4500",
                      "99999999",
                      "2147483648",
                      "1.1",
                      "0.3",
                      "1e5",
                      "3.05",
                      "-0.07",
                      "+12.5",
                      "1234567890123456789012345678",
                      QString(400, u'9'),
                      QString(400, u'9') + ".5",
                      "0." + QString(30, u'0') + "1"};
    std::mt19937 draw{1};
    for (int i = 0; i < 2000; ++i)
        texts << QStringLiteral("%1.%2")
                     .arg(int(draw() % 100000))
                     .arg(int(draw() % 100000), 5, 10, QChar(u'0'));
    for (const QString& text : texts) {
        QString digits = text;
        if (const qsizetype e = digits.indexOf(u'e'); e >= 0)
            digits.truncate(e);
        const double expected = digits.toDouble();
        bool found = false;
        const double value = leadingNumber(text, &found);
        EXPECT_TRUE(found) << qPrintable(text);
        EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0)
            << qPrintable(text) << ": " << value << " against " << expected;
    }
}
