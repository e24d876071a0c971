#include "frame/csvtext.h"

#include <gtest/gtest.h>

namespace zanfolio {
namespace {

TEST(CsvTextField, TextsASpreadsheetWouldTakeForAFormulaStayText) {
    struct Case {
        QString text;
        QString field;
    };
    for (const Case& c :
         {Case{QStringLiteral("=cmd|' /C calc'!A0"), QStringLiteral("'=cmd|' /C calc'!A0")},
          Case{QStringLiteral("+81"), QStringLiteral("'+81")},
          Case{QStringLiteral("-1"), QStringLiteral("'-1")},
          Case{QStringLiteral("@SUM(A1)"), QStringLiteral("'@SUM(A1)")},
          Case{QStringLiteral("\t=1"), QStringLiteral("'\t=1")},
          Case{QStringLiteral("\r=1"), QStringLiteral("\"'\r=1\"")},
          Case{QStringLiteral("=1,2"), QStringLiteral("\"'=1,2\"")},
          Case{QStringLiteral("山田=太郎"), QStringLiteral("山田=太郎")},
          Case{QString(), QString()}})
        EXPECT_EQ(csvTextField(c.text), c.field) << c.text.toStdString();
}

TEST(CsvTextField, EveryTextComesBackThroughTheReader) {
    for (const QString& text :
         {QStringLiteral("=cmd|' /C calc'!A0"), QStringLiteral("+3"), QStringLiteral("-5."),
          QStringLiteral("\r=1"), QStringLiteral("a,\"b\"\r\nc"), QStringLiteral("1,2."),
          QStringLiteral("山田=太郎"), QStringLiteral("*5"), QString()}) {
        const CsvRows parsed = parseCsv(
            QString(csvTextField(text) + u',' + csvTextField(text) + QStringLiteral("\r\n")));
        ASSERT_EQ(parsed.rows.size(), 1u) << text.toStdString();
        ASSERT_EQ(parsed.rows[0].size(), 2) << text.toStdString();
        EXPECT_EQ(csvTextValue(parsed.rows[0][0]), text);
        EXPECT_EQ(csvTextValue(parsed.rows[0][1]), text);
        EXPECT_FALSE(parsed.tornTail);
    }
}

TEST(ParseCsv, LinesFieldsQuotesAndTornTails) {
    struct Case {
        const char* name;
        QString text;
        std::vector<QStringList> rows;
        bool torn;
    };
    const Case cases[] = {
        {"empty text", QString(), {}, false},
        {"CR LF lines", QStringLiteral("a,b\r\nc,d\r\n"), {{"a", "b"}, {"c", "d"}}, false},
        {"lone LF lines", QStringLiteral("a\nb\n"), {{"a"}, {"b"}}, false},
        {"empty fields", QStringLiteral(",\r\n\r\n"), {{"", ""}, {""}}, false},
        {"quoted comma and quote",
         QStringLiteral("\"x,\"\"y\"\"\",z\r\n"),
         {{"x,\"y\"", "z"}},
         false},
        {"line break inside quotes", QStringLiteral("\"1\r\n2\",3\r\n"), {{"1\r\n2", "3"}}, false},
        {"last line without its end is torn", QStringLiteral("a,b\r\nc,"), {{"a", "b"}}, true},
        {"a lone CR at the end is torn", QStringLiteral("a\r\nb\r"), {{"a"}}, true},
        {"torn inside quotes", QStringLiteral("a\r\n\"b,\r\n"), {{"a"}}, true},
        {"a CR inside a field stays", QStringLiteral("a\rb\r\n"), {{"a\rb"}}, false},
    };
    for (const Case& c : cases) {
        const CsvRows parsed = parseCsv(c.text);
        EXPECT_EQ(parsed.rows, c.rows) << c.name;
        EXPECT_EQ(parsed.tornTail, c.torn) << c.name;
    }
}

TEST(CsvTextValue, OnlyTheGuardingApostropheIsTakenOff) {
    struct Case {
        QString value;
        QString text;
    };
    for (const Case& c : {Case{QStringLiteral("'+3"), QStringLiteral("+3")},
                          Case{QStringLiteral("'=1"), QStringLiteral("=1")},
                          Case{QStringLiteral("'abc"), QStringLiteral("'abc")},
                          Case{QStringLiteral("'"), QStringLiteral("'")},
                          Case{QStringLiteral("0.1"), QStringLiteral("0.1")}})
        EXPECT_EQ(csvTextValue(c.value), c.text) << c.value.toStdString();
}

} // namespace
} // namespace zanfolio
