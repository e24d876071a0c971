#include "frame/daycount.h"
#include "results/resultsrecord.h"
#include "support/testrecords.h"
#include "tools/commandfixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

QString u8(const char* s) {
    return QString::fromUtf8(s);
}
QString ideo(int n) {
    return QString(n, QChar(char16_t(0x3000)));
}

// School year 2004 (start month 4): 1997 is G 1, 1991 G 7.
class RosterCommand : public CommandFixture {
  protected:
    RosterCommand()
        : CommandFixture(QStringLiteral("2004-04-01T10:00:00"), {QStringLiteral("roster")}) {}
    void SetUp() override {
        install.writeLines(install.rosterPath(), {u8("12,1997,0,0,\"山田\",0,\"\",\"\""),
                                                  u8("30,1991,0,0,\"佐藤\",0,\"\",\"\""),
                                                  u8("31,1991,0,0,\"休み\",1,\"\",\"\"")});
        // Pupil 12 ran level 1 in 20 seconds today: 11 points (standard time 40).
        const ResultsRecord r = testRecord(12, 1, 20)
                                    .date(dayCount(QDate(2004, 4, 1)))
                                    .timeOfDay(dayFraction(QTime(9, 0)));
        install.writeBytes(install.resultsPath(), r.encode());
    }
};

TEST_F(RosterCommand, ModeAndGroupPickTheRows) {
    const QString yamada1 = u8("小1 山田") + ideo(4) + u8("  11/     11");
    const QString sato1 = u8("中1 佐藤") + ideo(4) + u8("  　/       ");
    struct Case {
        QStringList args;
        QString expected;
    };
    const Case cases[] = {
        // The form opens in display mode 1 with every grade.
        {{}, u8("－－－－－－\n") + sato1 + u8("\n") + yamada1 + u8("\n")},
        {{QStringLiteral("--mode"), QStringLiteral("0")},
         u8("－－－－－－\n中1 佐藤") + ideo(4) + u8("     /     　\n小1 山田") + ideo(4) +
             u8("  1回/    1回\n")},
        {{QStringLiteral("--group"), u8("中学生全体")}, u8("－－－－－－\n") + sato1 + u8("\n")},
        {{QStringLiteral("--group"), u8("高１")}, u8("－－－－－－\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        ASSERT_EQ(run(c.args), 0) << err.toStdString();
        EXPECT_EQ(out, c.expected);
    }
}

TEST_F(RosterCommand, BadModeOrMissingRosterFailsAtOnce) {
    EXPECT_EQ(run({QStringLiteral("--mode"), QStringLiteral("4")}), 2);
    EXPECT_TRUE(out.isEmpty());
    QFile::remove(install.rosterPath());
    EXPECT_EQ(run({}), 2);
    EXPECT_TRUE(err.contains(u8("新名簿.txt"))) << err.toStdString();
}

TEST_F(RosterCommand, SkippedLinesAreReportedBesideTheRows) {
    install.writeLines(install.rosterPath(), {u8("9999,1997,0,0,\"範囲外\",0,\"\",\"\"")});
    ASSERT_EQ(run({}), 0);
    EXPECT_EQ(out, u8("－－－－－－\n"));
    EXPECT_EQ(err, u8("読み飛ばした名簿の行: 1\n"));
}

} // namespace
