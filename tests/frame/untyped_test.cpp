#include "frame/untyped.h"

#include <gtest/gtest.h>

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
