#include "frame/itemreader.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace zanfolio;

namespace {

QStringList items(const char* text, QList<bool>* quoted = nullptr) {
    ItemReader reader(QString::fromUtf8(text));
    QStringList out;
    while (std::optional<Item> item = reader.next()) {
        out << item->text;
        if (quoted)
            quoted->append(item->quoted);
    }
    return out;
}

struct Case {
    const char* name;
    const char* text;
    QStringList expected;
};

class ItemReading : public ::testing::TestWithParam<Case> {};

TEST_P(ItemReading, SplitsLikeTheFilesReader) {
    EXPECT_EQ(items(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ItemReading,
    ::testing::Values(
        Case{"CommasAndLineEnds", "a,b\r\nc\r\n", {"a", "b", "c"}},
        Case{"SpacesAroundUnquotedItemsIgnored", "  40 , 60 \r\n", {"40", "60"}},
        Case{"QuotesProtectCommas", "\"a,b\",c\r\n", {"a,b", "c"}},
        Case{"QuotedSpacesKept", "\" x \",y", {" x ", "y"}},
        Case{"TrailingCommaLeavesEmptyLastItem", "a,,,\r\nb\r\n", {"a", "", "", "", "b"}},
        Case{"EmptyItemBetweenCommas", "1,,3", {"1", "", "3"}},
        Case{"BareLineFeeds", "a\nb\n", {"a", "b"}},
        Case{"BlankLinesHoldNoItem", "a\r\n\r\nb", {"a", "b"}},
        Case{"NoFinalLineEnd", "a,b", {"a", "b"}}, Case{"EmptyText", "", {}},
        Case{"UnclosedQuoteStopsAtLineEnd", "\"abc\r\nd", {"abc", "d"}},
        Case{"TextAfterClosingQuoteDropped", "\"ab\"cd,e", {"ab", "e"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ItemReading, NumericTargetsGetZeroForText) {
    ItemReader reader(QStringLiteral("40,abc,1.5,,-3"));
    std::vector<double> numbers;
    while (std::optional<Item> item = reader.next())
        numbers.push_back(item->toNumber());
    EXPECT_EQ(numbers, (std::vector<double>{40, 0, 1.5, 0, -3}));
}

TEST(ItemReading, UntypedTargetsGetNumberTextOrEmpty) {
    ItemReader reader(QStringLiteral("7,禁,,\"12\""));
    std::vector<Untyped> values;
    while (std::optional<Item> item = reader.next())
        values.push_back(item->toUntyped());
    ASSERT_EQ(values.size(), 4u);
    EXPECT_TRUE(values[0].isNumber());
    EXPECT_EQ(values[0].toNumber(), 7);
    EXPECT_TRUE(values[1].isText());
    EXPECT_TRUE(values[2].isEmpty());
    EXPECT_TRUE(values[3].isText());   // quoted digits stay text...
    EXPECT_EQ(values[3], Untyped(12)); // ...but compare by their number
}

TEST(ItemReading, ItemsKnowTheirLine) {
    ItemReader reader(QStringLiteral("a,b\r\nc"));
    EXPECT_EQ(reader.next()->line, 0);
    EXPECT_EQ(reader.next()->line, 0);
    EXPECT_EQ(reader.next()->line, 1);
    EXPECT_TRUE(reader.atEnd());
}

} // namespace
