#include "frame/cp932.h"
#include "results/criteria.h"
#include "support/testfolder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

class Criteria : public ::testing::Test {
  protected:
    void SetUp() override { install.writeStandardFiles(); }
    TestInstallation install;
    CriteriaTable table;
};

TEST_F(Criteria, LoadsTwelveFieldsPerLevel) {
    install.writeCriteria({QStringLiteral("40,60,30,5,1.5,10,100,7,14,a,,9"),
                           QStringLiteral("50,70,9999,9999,1,,0,,,,,")});
    Result<CriteriaLoadReport> report = LoadCriteriaTable(install.criteriaPath(), table);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report->linesRead, 3);
    EXPECT_EQ(table.StandardTime[1], 40);
    EXPECT_EQ(table.MinimumLineTime[1], 60);
    EXPECT_EQ(table.TargetPoints[1], 30);
    EXPECT_EQ(table.TargetCount[1], 5);
    EXPECT_FLOAT_EQ(table.PointMultiplier[1], 1.5f);
    EXPECT_EQ(table.OveruseRunLimit[1], Untyped(10));
    EXPECT_EQ(table.ClearWindowDays[1], Untyped(7));
    EXPECT_EQ(table.OveruseWindowDays[1], Untyped(14));
    EXPECT_EQ(table.SpareCriterion10[1].toText(), QStringLiteral("a"));
    EXPECT_TRUE(table.SpareCriterion11[1].isEmpty());
    EXPECT_EQ(table.SpareCriterion12[1], Untyped(9));
    EXPECT_EQ(table.TargetPoints[2], 9999);
    EXPECT_TRUE(table.OveruseRunLimit[2].isEmpty());
    EXPECT_TRUE(table.ClearWindowDays[2].isEmpty());
    // The caption line loads as zeros and texts at index 0, which no level uses.
    EXPECT_EQ(table.StandardTime[0], 0);
    EXPECT_EQ(table.OveruseRunLimit[0].toText(), QStringLiteral("禁回"));
}

TEST_F(Criteria, FileEndingInTheMiddleOfALineFillsTheRestWithEmpty) {
    table.OveruseWindowDays[1] = 99;
    install.writeBytes(install.criteriaPath(), QByteArray("captions,,,,,,,,,,,\r\n40,60,30"));
    ASSERT_TRUE(LoadCriteriaTable(install.criteriaPath(), table).ok());
    EXPECT_EQ(table.TargetPoints[1], 30);
    EXPECT_EQ(table.TargetCount[1], 0);
    EXPECT_TRUE(table.OveruseWindowDays[1].isEmpty());
}

TEST_F(Criteria, LinesBeyondLevel35AreIgnoredAndReported) {
    QStringList lines;
    for (int level = 1; level <= 37; ++level)
        lines << QStringLiteral("%1,60,30,5,1,,,7,7,,,").arg(level);
    install.writeCriteria(lines);
    Result<CriteriaLoadReport> report = LoadCriteriaTable(install.criteriaPath(), table);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report->linesRead, 36);
    EXPECT_EQ(report->linesIgnored, 2);
    EXPECT_EQ(table.StandardTime[35], 35);
}

TEST_F(Criteria, MissingFileIsAnErrorNamingIt) {
    QFile::remove(install.criteriaPath());
    Result<CriteriaLoadReport> report = LoadCriteriaTable(install.criteriaPath(), table);
    ASSERT_FALSE(report.ok());
    EXPECT_TRUE(report.error().message.contains(QStringLiteral("タイム回数データ.txt")));
}

TEST_F(Criteria, SaveWritesCellTextsAsGivenWithTheStandardCaptionLine) {
    install.writeBytes(
        install.criteriaPath(),
        QByteArray("changed,by,hand,,,,,,,,,\r\n40,60,30,5,1.50,,0,7,7,x,\"y\",\r\n"));
    Result<std::vector<CriteriaRow>> rows = readCriteriaRows(install.criteriaPath());
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 2u);
    std::vector<CriteriaRow> levels(rows->begin() + 1, rows->end());
    ASSERT_TRUE(SaveCriteriaTable(install.criteriaPath(), levels, table).ok());
    const QByteArray expected = encodeCp932(
        QStringLiteral("目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,\r\n"
                       "40,60,30,5,1.50,,0,7,7,x,y,\r\n"));
    EXPECT_EQ(install.readBytes(install.criteriaPath()), expected);
    // Saving puts the criteria in effect at once, spare fields kept.
    EXPECT_FLOAT_EQ(table.PointMultiplier[1], 1.5f);
    EXPECT_EQ(table.SpareCriterion11[1].toText(), QStringLiteral("y"));
}

TEST_F(Criteria, ASpareFieldLoadedFromAQuotedItemLoadsBackAsOneField) {
    install.writeBytes(install.criteriaPath(),
                       QByteArray("c,,,,,,,,,,,\r\n40,60,30,5,1,,,7,7,\"a,b\",\" z \",q\r\n"));
    Result<std::vector<CriteriaRow>> rows = readCriteriaRows(install.criteriaPath());
    ASSERT_TRUE(rows.ok());
    std::vector<CriteriaRow> levels(rows->begin() + 1, rows->end());
    ASSERT_TRUE(SaveCriteriaTable(install.criteriaPath(), levels, table).ok());
    EXPECT_TRUE(install.readBytes(install.criteriaPath())
                    .endsWith(QByteArray("\r\n40,60,30,5,1,,,7,7,\"a,b\",\" z \",q\r\n")));
    EXPECT_EQ(table.SpareCriterion10[1].toText(), QStringLiteral("a,b"));
    EXPECT_EQ(table.SpareCriterion11[1].toText(), QStringLiteral(" z "));
    EXPECT_EQ(table.SpareCriterion12[1].toText(), QStringLiteral("q"));
}

TEST(CriteriaCell, CommasAndDoubleQuotesAreRefused) {
    // Either would shift every later field of the file.
    for (const QString& text : {QStringLiteral("1,5"), QStringLiteral(","), QStringLiteral("\"7"),
                                QStringLiteral("a\"b")})
        EXPECT_TRUE(criteriaCellRefusal(text).contains(QStringLiteral("入力できません")))
            << text.toStdString();
    for (const QString& text : {QString(), QStringLiteral("1.5"), QStringLiteral("40"),
                                QStringLiteral("ｸﾘｱ"), QStringLiteral("a b")})
        EXPECT_TRUE(criteriaCellRefusal(text).isEmpty()) << text.toStdString();
}

TEST_F(Criteria, FailedSaveLeavesFileAndTablesUnchanged) {
    const QByteArray before = install.readBytes(install.criteriaPath());
    ASSERT_TRUE(LoadCriteriaTable(install.criteriaPath(), table).ok());
    std::vector<CriteriaRow> levels(1);
    levels[0][0] = QStringLiteral("99");
    const QString unreachable =
        install.root() + QStringLiteral("no-such-folder/タイム回数データ.txt");
    Status saved = SaveCriteriaTable(unreachable, levels, table);
    ASSERT_FALSE(saved.ok());
    EXPECT_TRUE(saved.error().message.contains(QStringLiteral("保存できません")));
    EXPECT_EQ(table.StandardTime[1], 40);
    EXPECT_EQ(install.readBytes(install.criteriaPath()), before);
}

} // namespace
