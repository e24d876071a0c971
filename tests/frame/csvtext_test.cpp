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
        {"a lone CR at the end ends the line", QStringLiteral("a\r\nb\r"), {{"a"}, {"b"}}, false},
        {"torn inside quotes", QStringLiteral("a\r\n\"b,\r\n"), {{"a"}}, true},
        // An editor that saves with the old Macintosh line ends.
        {"CR-only lines", QStringLiteral("a,b\rc\r\r"), {{"a", "b"}, {"c"}, {""}}, false},
        {"a CR inside quotes stays", QStringLiteral("\"a\rb\"\r\n"), {{"a\rb"}}, false},
    };
    for (const Case& c : cases) {
        const CsvRows parsed = parseCsv(c.text);
        EXPECT_EQ(parsed.rows, c.rows) << c.name;
        EXPECT_EQ(parsed.tornTail, c.torn) << c.name;
    }
}

TEST(ParseCsv, ATornLastLineIsGivenAsFarAsItGoes) {
    const CsvRows parsed = parseCsv(QStringLiteral("a,b\r\nc,\"d,e"));
    EXPECT_EQ(parsed.rows, (std::vector<QStringList>{{"a", "b"}}));
    EXPECT_TRUE(parsed.tornTail);
    EXPECT_EQ(parsed.tornRow, (QStringList{"c", "d,e"}));
}

TEST(ParseCsv, ARowOfManyCellsLeavesNoWeightOnTheRowsAfterIt) {
    // Each row holds room for its own cells only: after one row of 10000 cells the rows that
    // follow must not each carry room for 10000 (reading would no longer be linear in the
    // file's length, nor its memory).
    QString text = QString(9999, u',') + QStringLiteral("\r\n");
    for (int i = 0; i < 2000; ++i)
        text += QStringLiteral("x,y\r\n");
    const CsvRows parsed = parseCsv(text);
    ASSERT_EQ(parsed.rows.size(), 2001u);
    EXPECT_EQ(parsed.rows[0].size(), 10000);
    qsizetype room = 0;
    for (size_t i = 1; i < parsed.rows.size(); ++i) {
        EXPECT_EQ(parsed.rows[i].size(), 2);
        room += parsed.rows[i].capacity();
    }
    EXPECT_LT(room, 2000 * 64) << "cells of room kept by the 2000 short rows";
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
