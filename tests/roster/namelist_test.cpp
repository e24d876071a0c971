#include "app/sharedstate.h"
#include "roster/namelist.h"
#include "roster/rosterfile.h"
#include "support/fakes.h"
#include "support/testfolder.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace zanfolio {
namespace {

using testing::FakeClock;
using testing::RecordingWaiter;
using testing::TestInstallation;

QString u8(const char* s) {
    return QString::fromUtf8(s);
}
QString ideo(int n) {
    return QString(n, QChar(char16_t(0x3000)));
}
const QString kNoFiguresMode1 = u8("  　/       ");

QString line(int pupil, int birthYear, const QString& name, int status = 0) {
    return QStringLiteral("%1,%2,0,0,\"%3\",%4,\"\",\"\"")
        .arg(pupil)
        .arg(birthYear)
        .arg(name)
        .arg(status);
}

class NameListBuild : public ::testing::Test {
  protected:
    void SetUp() override {
        state->installation.DataRoot = inst.dataRoot();
        state->installation.SchoolYearStartMonth = 4;
        state->installation.ListStatus2Setting = 0;
    }
    void writeRoster(const QStringList& lines) { inst.writeLines(inst.rosterPath(), lines); }
    Result<NameList> build(int mode = 1, const char* group = "全学年", StatisticsPass stats = {}) {
        return 名簿表示(state->roster, state->installation, state->Stats,
                        NameListRequest{mode, u8(group)}, clock, waiter, stats);
    }

    TestInstallation inst;
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    FakeClock clock{QDateTime(QDate(2004, 4, 1), QTime(10, 0))};
    RecordingWaiter waiter;
};

TEST_F(NameListBuild, EmptyRosterGivesOnlyThePlaceholder) {
    writeRoster({});
    Result<NameList> list = build();
    ASSERT_TRUE(list.ok()) << list.error().message.toStdString();
    EXPECT_EQ(list->visibleRows, QStringList{u8("－－－－－－")});
    EXPECT_TRUE(list->companionTexts.isEmpty());
    EXPECT_EQ(state->roster.RosterListedCount, 0);
    EXPECT_EQ(state->roster.SchoolYear, 2004);
}

TEST_F(NameListBuild, SchoolYearFollowsTheClock) {
    writeRoster({line(3, 1996, u8("山田"))});
    clock.set(QDateTime(QDate(2004, 3, 15), QTime(10, 0)));
    ASSERT_TRUE(build().ok());
    EXPECT_EQ(state->roster.SchoolYear, 2003);
    EXPECT_EQ(state->roster.RosterGradeLabels[3], u8("小１"));
    clock.set(QDateTime(QDate(2004, 4, 1), QTime(10, 0)));
    Result<NameList> list = build();
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(state->roster.SchoolYear, 2004);
    EXPECT_EQ(state->roster.RosterGradeLabels[3], u8("小２"));
    EXPECT_EQ(list->visibleRows.value(1), u8("小2 山田") + ideo(4) + kNoFiguresMode1);
}

TEST_F(NameListBuild, StatusDecidesListingButEveryPupilIsRegistered) {
    struct Case {
        int status;
        int setting;
        bool listed;
    };
    const Case cases[] = {{0, 0, true},  {0, 1, true}, {1, 0, false}, {1, 1, false},
                          {2, 0, false}, {2, 1, true}, {3, 1, false}, {-1, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("status %1 setting %2").arg(c.status).arg(c.setting).toStdString());
        state->installation.ListStatus2Setting = c.setting;
        writeRoster({line(1, 1996, u8("いつも")), line(40, 1996, u8("試す"), c.status)});
        Result<NameList> list = build();
        ASSERT_TRUE(list.ok());
        EXPECT_EQ(list->visibleRows.size(), c.listed ? 3 : 2);
        EXPECT_EQ(state->roster.RosterListedCount, c.listed ? 2 : 1);
        EXPECT_EQ(trimSpaces(state->roster.RosterNames[40]), u8("試す"));
        EXPECT_EQ(state->roster.RosterBirthYears[40], 1996);
        EXPECT_EQ(state->roster.RosterGradeLabels[40], u8("小２"));
    }
}

TEST_F(NameListBuild, ListedPositionsHoldTheListedPupilsInFileOrder) {
    writeRoster({line(7, 1996, u8("一")), line(8, 1996, u8("二"), 1), line(9, 1995, u8("三")),
                 line(10, 1996, u8("四"), 5)});
    ASSERT_TRUE(build().ok());
    EXPECT_EQ(state->roster.RosterListedCount, 2);
    EXPECT_EQ(state->roster.RosterRecords[1].Index, 7);
    EXPECT_EQ(state->roster.RosterRecords[2].Index, 9);
    EXPECT_EQ(state->roster.RosterIndexByLine[1], 7);
    EXPECT_EQ(state->roster.RosterIndexByLine[2], 9);
    EXPECT_EQ(state->roster.RosterRecords[2].Name, rosterField(u8("三")));
}

TEST_F(NameListBuild, DuplicatedPupilNumberLaterLineWins) {
    writeRoster({line(5, 1996, u8("前の名前")), line(5, 1990, u8("後の名前"))});
    Result<NameList> list = build();
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(state->roster.RosterNames[5], rosterField(u8("後の名前")));
    EXPECT_EQ(state->roster.RosterBirthYears[5], 1990);
    EXPECT_EQ(state->roster.RosterGradeLabels[5], u8("中２"));
    // Both lines are listed pupils; both rows lead to number 5.
    ASSERT_EQ(list->companionTexts.size(), 2);
    EXPECT_TRUE(list->companionTexts[0].endsWith(u8("*5")));
    EXPECT_TRUE(list->companionTexts[1].endsWith(u8("*5")));
}

TEST_F(NameListBuild, GradeLabelOutsideTheTableKeepsTheEarlierOne) {
    writeRoster({line(5, 1996, u8("名前"))});
    ASSERT_TRUE(build().ok());
    writeRoster({line(5, 1980, u8("名前"))}); // G 18: no label
    Result<NameList> list = build();
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(state->roster.RosterGradeLabels[5], u8("小２"));
    EXPECT_TRUE(list->visibleRows.value(1).startsWith(u8("大+ 名前")));
}

TEST_F(NameListBuild, OutOfRangePupilNumberIsSkippedNotFatal) {
    writeRoster({line(1, 1996, u8("前")), line(5001, 1996, u8("範囲外")), line(2, 1996, u8("後"))});
    Result<NameList> list = build();
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list->skippedLines, 1);
    EXPECT_EQ(list->skippedLineNumbers, std::vector<int>{2});
    EXPECT_EQ(list->visibleRows.size(), 3);
    EXPECT_EQ(state->roster.RosterListedCount, 2);
}

TEST_F(NameListBuild, OrderAndGradeGroupFilterKeepRowsAndCompanionsInStep) {
    // School year 2004: 1997 G 1, 1995 G 3, 1991 G 7, 1989 G 9, 1988 G 10, 1998 G 0.
    writeRoster({line(1, 1997, u8("あ")), line(2, 1995, u8("ん")), line(3, 1991, u8("中一")),
                 line(4, 1989, u8("中三")), line(5, 1988, u8("高一")), line(6, 1998, u8("幼"))});
    struct Case {
        const char* group;
        std::vector<int> pupils; // in list order
    };
    const Case cases[] = {
        {"全学年", {5, 4, 3, 2, 1, 6}},
        {"小学生全体", {2, 1}},
        {"中学生全体", {4, 3}},
        {"小１", {1}},
        {"小３", {2}},
        {"中３", {4}},
        {"小２", {}},
        {"高１", {}},
        {"小学生", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        Result<NameList> list = build(1, c.group);
        ASSERT_TRUE(list.ok());
        EXPECT_EQ(list->sortTexts.size(), 6); // every listed pupil, whatever the group
        ASSERT_EQ(list->visibleRows.size(), qsizetype(c.pupils.size()) + 1);
        ASSERT_EQ(list->companionTexts.size(), qsizetype(c.pupils.size()));
        EXPECT_EQ(list->visibleRows[0], kNoPupilRow);
        for (size_t i = 0; i < c.pupils.size(); ++i) {
            const QString& companion = list->companionTexts[qsizetype(i)];
            EXPECT_EQ(companion.section(u'*', 1).toInt(), c.pupils[i]);
            EXPECT_EQ(companion.section(u'*', 0, 0), list->visibleRows[qsizetype(i) + 1]);
        }
    }
}

TEST_F(NameListBuild, TooLongNameGetsNoPaddingAndLeavesOtherRowsAlone) {
    writeRoster({line(1, 1996, u8("とても長い名前の生徒")), line(2, 1996, u8("山田"))});
    Result<NameList> list = build(1);
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list->visibleRows.size(), 3);
    EXPECT_EQ(list->visibleRows[1], u8("小2 とても長い名前の生徒") + kNoFiguresMode1);
    EXPECT_EQ(list->visibleRows[2], u8("小2 山田") + ideo(4) + kNoFiguresMode1);
}

TEST_F(NameListBuild, RunsTheStatisticsPassFirstAndShowsItsFigures) {
    writeRoster({line(12, 1997, u8("山田"))});
    int passes = 0;
    Result<NameList> list = build(1, "全学年", [&]() -> Status {
        ++passes;
        state->Stats.TodayPoints(1, 12) = 11;
        state->Stats.TotalPoints(1, 12) = 11;
        state->Stats.TotalPoints(2, 12) = 30;
        return Ok{};
    });
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(passes, 1);
    EXPECT_EQ(list->visibleRows.value(1), u8("小1 山田") + ideo(4) + u8("  11/     41"));
}

TEST_F(NameListBuild, StatisticsFailurePassesThroughUnchanged) {
    // No roster either: the build must stop before it starts waiting for one.
    Result<NameList> list = build(1, "全学年", [] {
        return Status(makeError(QStringLiteral("x"), QStringLiteral("集計できません"), true));
    });
    ASSERT_FALSE(list.ok());
    EXPECT_EQ(list.error().message, u8("集計できません"));
    EXPECT_TRUE(waiter.waits.empty());
}

TEST_F(NameListBuild, MoreThanFiveThousandListedPupilsStopAtTheTableSize) {
    QStringList lines;
    for (int pupil = 0; pupil <= kMaxPupil; ++pupil) // 5001 listed pupils
        lines << line(pupil, 1996, QStringLiteral("p%1").arg(pupil));
    writeRoster(lines);
    Result<NameList> list = build();
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(state->roster.RosterListedCount, kMaxListedPupils);
    EXPECT_EQ(list->skippedLines, 1);
    EXPECT_EQ(list->skippedLineNumbers, std::vector<int>{5001});
    EXPECT_EQ(list->sortTexts.size(), kMaxListedPupils);
}

TEST_F(NameListBuild, MissingRosterSixTriesFiveSecondsApartThenEndsProgram) {
    Result<NameList> list = build();
    ASSERT_FALSE(list.ok());
    EXPECT_EQ(waiter.waits, std::vector<int>(6, 5000));
    const Error& e = list.error();
    EXPECT_TRUE(e.endsProgram);
    EXPECT_EQ(e.kind, ErrorKind::NotFound);
    EXPECT_NE(e.code, 0);
    EXPECT_TRUE(e.message.startsWith(u8("名簿表示 3\n"))) << e.message.toStdString();
    EXPECT_TRUE(e.message.contains(u8("新名簿.txt")));
    EXPECT_TRUE(e.message.contains(u8("エラー番号 %1").arg(e.code)));
}

TEST_F(NameListBuild, RosterAppearingBeforeTheSixthTryIsRead) {
    struct Case {
        int appearsDuringWait;
        bool built;
        size_t waits;
    };
    const Case cases[] = {{1, true, 1}, {5, true, 5}, {6, false, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.appearsDuringWait);
        QFile::remove(inst.rosterPath());
        waiter = RecordingWaiter{};
        waiter.onWait = [&](int n) {
            if (n == c.appearsDuringWait)
                writeRoster({line(1, 1996, u8("山田"))});
        };
        Result<NameList> list = build();
        EXPECT_EQ(list.ok(), c.built);
        EXPECT_EQ(waiter.waits.size(), c.waits);
    }
}

TEST_F(NameListBuild, WaiterThatGivesUpStopsTheRetries) {
    waiter.giveUpAfter = 2;
    Result<NameList> list = build();
    ASSERT_FALSE(list.ok());
    EXPECT_EQ(waiter.waits.size(), 2u);
    EXPECT_TRUE(list.error().endsProgram);
}

} // namespace
} // namespace zanfolio
