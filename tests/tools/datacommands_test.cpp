#include "frame/daycount.h"
#include "results/resultsrecord.h"
#include "support/testrecords.h"
#include "tools/commandfixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

class DataCommands : public CommandFixture {
  protected:
    DataCommands() : CommandFixture(QStringLiteral("2026-12-09T10:30:00")) {}

    void addRecord(int pupil, int level, int time, QDate date = QDate(2026, 12, 9)) {
        records += testRecord(pupil, level, time)
                       .date(dayCount(date))
                       .timeOfDay(dayFraction(QTime(9, 5, 7)))
                       .schoolCode(QStringLiteral("00123"))
                       .encode();
        install.writeBytes(install.resultsPath(), records);
    }

    QByteArray records;
};

TEST_F(DataCommands, DumpListsEveryRecordAsCsv) {
    addRecord(12, 3, 45, QDate(2004, 5, 6));
    addRecord(7, 1, 99999);
    ASSERT_EQ(run({QStringLiteral("dump")}), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("record,date,time,pupil,level,seconds,school\n"
                                  "1,2004-05-06,09:05:07,12,3,45,00123\n"
                                  "2,2026-12-09,09:05:07,7,1,99999,00123\n"));
}

TEST_F(DataCommands, AppendThenDeleteRestoreAndRemoveRuns) {
    addRecord(1, 1, 30);
    ASSERT_EQ(run({QStringLiteral("append"), QStringLiteral("--pupil"), QStringLiteral("12"),
                   QStringLiteral("--level"), QStringLiteral("3"), QStringLiteral("--seconds"),
                   QStringLiteral("45")}),
              0)
        << err.toStdString();
    ASSERT_EQ(run({QStringLiteral("dump")}), 0);
    EXPECT_TRUE(out.endsWith(QStringLiteral("2,2026-12-09,10:30:00,12,3,45,00123\n")))
        << out.toStdString();
    ASSERT_EQ(run({QStringLiteral("delete"), QStringLiteral("--record"), QStringLiteral("1")}), 0);
    ASSERT_EQ(run({QStringLiteral("dump")}), 0);
    EXPECT_EQ(out.count(u'\n'), 2);
    EXPECT_TRUE(out.contains(QStringLiteral("1,2026-12-09,10:30:00,12,3,45")));
}

TEST_F(DataCommands, CheckReportsTornTailAndRecordsOutOfRange) {
    addRecord(1, 1, 30);
    ASSERT_EQ(run({QStringLiteral("check")}), 0);
    EXPECT_EQ(out, QStringLiteral("records: 1\npartial bytes: 0\n"));
    addRecord(6000, 40, 30);
    records += "abc";
    install.writeBytes(install.resultsPath(), records);
    ASSERT_EQ(run({QStringLiteral("check")}), 1);
    EXPECT_TRUE(out.contains(QStringLiteral("partial bytes: 3")));
    EXPECT_TRUE(out.contains(QStringLiteral("record 2: level 40, pupil 6000")));
}

TEST_F(DataCommands, StatsPrintsThePassAsJson) {
    addRecord(12, 2, 20);
    addRecord(12, 2, 30, QDate(2026, 12, 1));
    addRecord(0, 2, 10);
    ASSERT_EQ(run({QStringLiteral("stats"), QStringLiteral("--pupil"), QStringLiteral("12")}), 0)
        << err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(o[QStringLiteral("loaded")].toInt(), 2);
    EXPECT_EQ(o[QStringLiteral("skipped")].toInt(), 1);
    EXPECT_EQ(o[QStringLiteral("overall_best")].toArray().size(), 36);
    EXPECT_EQ(o[QStringLiteral("overall_best")].toArray()[2].toInt(), 20);
    const QJsonArray levels = o[QStringLiteral("levels")].toArray();
    ASSERT_EQ(levels.size(), 35);
    const QJsonObject level2 = levels[1].toObject();
    EXPECT_EQ(level2[QStringLiteral("level")].toInt(), 2);
    EXPECT_EQ(level2[QStringLiteral("total_runs")].toInt(), 2);
    EXPECT_EQ(level2[QStringLiteral("total_points")].toInt(), 16);
    EXPECT_EQ(level2[QStringLiteral("window_runs")].toInt(), 1);
    EXPECT_EQ(level2[QStringLiteral("today_points")].toInt(), 11);
    EXPECT_EQ(level2[QStringLiteral("best")].toInt(), 20);
}

TEST_F(DataCommands, BadFolderOrArgumentExitsWithTwo) {
    struct Case {
        QStringList args;
        const char* says;
    };
    for (const Case& c :
         {Case{{QStringLiteral("stats")}, "--pupil"},
          Case{{QStringLiteral("stats"), QStringLiteral("--pupil"), QStringLiteral("x")},
               "--pupil"},
          Case{{QStringLiteral("delete"), QStringLiteral("--record"), QStringLiteral("9")}, "9"},
          Case{{QStringLiteral("frobnicate")}, "frobnicate"}}) {
        EXPECT_EQ(run(c.args), 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.says))) << err.toStdString();
    }
    QTextStream o(&out);
    QTextStream e(&err);
    err.clear();
    // A folder whose parent holds no パスデータ.txt either (Windows shortens "nowhere\.." to
    // the installation's root without looking whether "nowhere" exists).
    EXPECT_EQ(
        runDataCommand({QStringLiteral("--program-dir"),
                        install.root() + QStringLiteral("nowhere/calc"), QStringLiteral("dump")},
                       o, e),
        2);
    e.flush();
    EXPECT_TRUE(err.contains(QStringLiteral("パスデータ.txt")));
}

} // namespace
