#include "roster/rosterfile.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace zanfolio {
namespace {

TEST(RosterFile, QuotesProtectCommasAndTextFieldsAreTwentyCharacters) {
    const RosterFileContents c = parseRoster(
        QStringLiteral("12,1996,3,4,\"山田, 太郎\",0,\"メモ\",\"ABCDEFGHIJKLMNOPQRSTUVWXYZ\"\r\n"));
    ASSERT_EQ(c.lines.size(), 1u);
    const RosterRecord& r = c.lines[0];
    EXPECT_EQ(r.Index, 12);
    EXPECT_EQ(r.BirthYear, 1996);
    EXPECT_EQ(r.SpareNumber1, 3);
    EXPECT_EQ(r.SpareNumber2, 4);
    EXPECT_EQ(r.Name, QStringLiteral("山田, 太郎") + QString(14, u' '));
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.SpareText1, QStringLiteral("メモ") + QString(18, u' '));
    EXPECT_EQ(r.SpareText2, QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(c.skippedLines, 0);
}

TEST(RosterFile, EmptyOrTextNumbersReadAsZero) {
    const RosterFileContents c = parseRoster(QStringLiteral("7, ,,x,名前,,a,b\r\n"));
    ASSERT_EQ(c.lines.size(), 1u);
    EXPECT_EQ(c.lines[0].Index, 7);
    EXPECT_EQ(c.lines[0].BirthYear, 0);
    EXPECT_EQ(c.lines[0].SpareNumber1, 0);
    EXPECT_EQ(c.lines[0].SpareNumber2, 0);
    EXPECT_EQ(c.lines[0].Status, 0);
    EXPECT_EQ(trimSpaces(c.lines[0].Name), QStringLiteral("名前"));
}

TEST(RosterFile, LinesTheTablesCannotHoldAreSkippedAndCounted) {
    const RosterFileContents c = parseRoster(QStringLiteral("1,1996,0,0,a,0,,\r\n"
                                                            "5001,1996,0,0,too high,0,,\r\n"
                                                            "-1,1996,0,0,negative,0,,\r\n"
                                                            "5000,1996,0,0,last number,0,,\r\n"
                                                            "0,1996,0,0,first number,0,,\r\n"
                                                            "2,40000,0,0,year overflows,0,,\r\n"
                                                            "3,1996,0,0,b,0,,\r\n"
                                                            "4,1996,0,0,cut short\r\n"));
    ASSERT_EQ(c.lines.size(), 4u);
    EXPECT_EQ(c.lines[0].Index, 1);
    EXPECT_EQ(c.lines[1].Index, 5000);
    EXPECT_EQ(c.lines[2].Index, 0);
    EXPECT_EQ(c.lines[3].Index, 3);
    EXPECT_EQ(c.skippedLines, 4);
    EXPECT_EQ(c.skippedLineNumbers, (std::vector<int>{2, 3, 6, 8}));
    EXPECT_EQ(c.lineNumbers, (std::vector<int>{1, 4, 5, 7}));
}

// A broken line is left out alone and named by its own number; every good line before and
// after it is read as it stands.
TEST(RosterFile, ABrokenLineIsSkippedAloneAndNamedByItsOwnNumber) {
    struct Case {
        const char* what;
        QString broken; // the roster's third line
        int extraLines; // lines the broken text takes beyond its own
    };
    const Case cases[] = {
        {"an item too few", QStringLiteral("3,1996,0,0,c,0,"), 0},
        {"an item too many", QStringLiteral("3,1996,0,0,c,0,,,"), 0},
        {"an unquoted comma in the name", QStringLiteral("3,1996,0,0,山田,花子,0,,"), 0},
        {"a line break inside quotes", QStringLiteral("3,1996,0,0,\"山田\r\n花子\",0,,"), 1},
        {"a pupil number that is not a number", QStringLiteral("abc,2015,0,0,c,0,,"), 0},
        {"no pupil number", QStringLiteral(",2015,0,0,c,0,,"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RosterFileContents r =
            parseRoster(QStringLiteral("1,1996,0,0,a,0,,\r\n"
                                       "2,1996,0,0,\"山田, 太郎\",0,,\r\n") +
                        c.broken +
                        QStringLiteral("\r\n4,1996,0,0,d,0,,\r\n"
                                       "5,1997,0,0,e,0,\"x\",\"y\"\r\n"));
        ASSERT_EQ(r.lines.size(), 4u);
        EXPECT_EQ(r.lines[0].Index, 1);
        EXPECT_EQ(trimSpaces(r.lines[1].Name), QStringLiteral("山田, 太郎"));
        EXPECT_EQ(r.lines[2].Index, 4);
        EXPECT_EQ(trimSpaces(r.lines[2].Name), QStringLiteral("d"));
        EXPECT_EQ(r.lines[3].Index, 5);
        EXPECT_EQ(r.lines[3].BirthYear, 1997);
        EXPECT_EQ(trimSpaces(r.lines[3].SpareText2), QStringLiteral("y"));
        std::vector<int> skipped{3};
        for (int extra = 1; extra <= c.extraLines; ++extra)
            skipped.push_back(3 + extra);
        EXPECT_EQ(r.skippedLineNumbers, skipped);
        EXPECT_EQ(r.lineNumbers, (std::vector<int>{1, 2, 4 + c.extraLines, 5 + c.extraLines}));
    }
}

TEST(RosterFile, ReadsCodePage932) {
    testing::TestInstallation inst;
    inst.writeLines(inst.rosterPath(), {QStringLiteral("9,1995,0,0,\"表ソ－～\",0,,")});
    Result<RosterFileContents> c = readRosterFile(inst.rosterPath());
    ASSERT_TRUE(c.ok());
    ASSERT_EQ(c->lines.size(), 1u);
    EXPECT_EQ(trimSpaces(c->lines[0].Name), QStringLiteral("表ソ－～"));
    EXPECT_FALSE(readRosterFile(inst.dataRoot() + QStringLiteral("ない.txt")).ok());
}

TEST(RosterFile, ReadsUtf8WithAByteOrderMark) {
    testing::TestInstallation inst;
    inst.writeBytes(inst.rosterPath(),
                    "\xEF\xBB\xBF" + QStringLiteral("9,1980,0,0,\"山田先生\",0,,\r\n"
                                                    "1,2017,0,0,\"表ソ－～\",0,,\r\n")
                                         .toUtf8());
    Result<RosterFileContents> c = readRosterFile(inst.rosterPath());
    ASSERT_TRUE(c.ok());
    ASSERT_EQ(c->lines.size(), 2u);
    EXPECT_EQ(c->lines[0].Index, 9);
    EXPECT_EQ(trimSpaces(c->lines[0].Name), QStringLiteral("山田先生"));
    EXPECT_EQ(trimSpaces(c->lines[1].Name), QStringLiteral("表ソ－～"));
}

TEST(RosterFile, TheMessageOnSkippedLinesNamesTheFileAndAtMostTenLines) {
    EXPECT_EQ(skippedRosterLinesMessage(QStringLiteral("D:\\juku\\新名簿.txt"), {}), QString());
    const QString three =
        skippedRosterLinesMessage(QStringLiteral("D:\\juku\\新名簿.txt"), {2, 3, 8});
    EXPECT_TRUE(three.contains(QStringLiteral("「D:\\juku\\新名簿.txt」"))) << three.toStdString();
    EXPECT_TRUE(three.contains(QStringLiteral("\n2行目、3行目、8行目\n"))) << three.toStdString();
    std::vector<int> twelve;
    for (int n = 1; n <= 12; ++n)
        twelve.push_back(n * 10);
    const QString many = skippedRosterLinesMessage(QStringLiteral("新名簿.txt"), twelve);
    EXPECT_TRUE(many.contains(QStringLiteral("、100行目（ほか2行）\n"))) << many.toStdString();
    EXPECT_FALSE(many.contains(QStringLiteral("110行目")));
}

TEST(TrimSpaces, KeepsIdeographicSpaces) {
    EXPECT_EQ(trimSpaces(QStringLiteral("  山田　 ")), QStringLiteral("山田　"));
    EXPECT_EQ(trimSpaces(QStringLiteral("    ")), QString());
}

} // namespace
} // namespace zanfolio
