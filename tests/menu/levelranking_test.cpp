#include "menu/levelranking.h"
#include "menu/menufixture.h"

#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

const QString kAll = QStringLiteral("全学年");

class LevelRankingTest : public ::testing::Test {
  protected:
    void best(int pupil, int time, int level = 1) {
        s->Stats.PersonalBestTimes(level, pupil) = time;
    }
    void points(int pupil, int total, int today, int level = 1) {
        s->Stats.TotalPoints(level, pupil) = total;
        s->Stats.TodayPoints(level, pupil) = today;
    }
    QStringList lines(RankingKind kind, const QString& group = kAll) {
        return RankLevel(s->roster, s->Stats, s->session.CurrentStudent, 1, kind, group).lines;
    }
    static QStringList rankFields(const QStringList& lines) {
        QStringList r;
        for (const QString& l : lines)
            r << l.left(2);
        return r;
    }
    MenuState s;
};

TEST_F(LevelRankingTest, EqualTimesShareARankAndKeepRosterOrder) {
    s.addPupil(10, QStringLiteral("A"));
    s.addPupil(11, QStringLiteral("B"));
    s.addPupil(12, QStringLiteral("C"));
    best(12, 50); // C is fastest-equal but listed last in the roster
    best(10, 60);
    best(11, 50);
    EXPECT_EQ(lines(RankingKind::Time), (QStringList{QStringLiteral(" 1③B　　　　    50 　"),
                                                     QStringLiteral(" 1③C　　　　    50 　"),
                                                     QStringLiteral(" 3③A　　　　    60 　")}));
}

TEST_F(LevelRankingTest, NoRecordLastInRosterOrderAndFailureJustBefore) {
    s.addPupil(1, QStringLiteral("無記録一"));
    s.addPupil(2, QStringLiteral("失敗"));
    s.addPupil(3, QStringLiteral("速い"));
    s.addPupil(4, QStringLiteral("無記録二"));
    best(2, kFailedTime);
    best(3, 70);
    EXPECT_EQ(lines(RankingKind::Time), (QStringList{QStringLiteral(" 1③速い　　　    70 　"),
                                                     QStringLiteral(" 2③失敗　　　*失敗* 　"),
                                                     QStringLiteral("--③無記録一　------ 　"),
                                                     QStringLiteral("--③無記録二　------ 　")}));
}

TEST_F(LevelRankingTest, CurrentPupilMarkedOnBothSidesAndScrolledTo) {
    for (int p = 1; p <= 4; ++p) {
        s.addPupil(p, QStringLiteral("P%1").arg(p));
        best(p, 40 + p);
    }
    s->session.CurrentStudent = 3;
    const LevelRanking r =
        RankLevel(s->roster, s->Stats, s->session.CurrentStudent, 1, RankingKind::Time, kAll);
    EXPECT_EQ(r.lines[2], QStringLiteral(" 3●P3　　　    43 ●"));
    EXPECT_EQ(r.scrollIndex, 1);

    s->session.CurrentStudent = 1;
    EXPECT_EQ(RankLevel(s->roster, s->Stats, s->session.CurrentStudent, 1, RankingKind::Time, kAll)
                  .scrollIndex,
              std::nullopt);
    s->session.CurrentStudent = 99; // not in the roster
    EXPECT_EQ(RankLevel(s->roster, s->Stats, s->session.CurrentStudent, 1, RankingKind::Time, kAll)
                  .scrollIndex,
              std::nullopt);
}

TEST_F(LevelRankingTest, TotalPointsTiesBrokenByTodaysPoints) {
    s.addPupil(1, QStringLiteral("三点"));
    s.addPupil(2, QStringLiteral("五点"));
    s.addPupil(3, QStringLiteral("零"));
    points(1, 120, 3);
    points(2, 120, 5);
    EXPECT_EQ(lines(RankingKind::TotalPoints),
              (QStringList{QStringLiteral(" 1③五点　　　  5/  120"),
                           QStringLiteral(" 1③三点　　　  3/  120"),
                           QStringLiteral(" 3③零　　　　  0/    0")}));
}

TEST_F(LevelRankingTest, TodayKindListsOnlyPupilsWithPointsTodayAndKeepsTheOldKey) {
    s.addPupil(1, QStringLiteral("六"));
    s.addPupil(2, QStringLiteral("五"));
    s.addPupil(3, QStringLiteral("無"));
    points(1, 0, 6);
    points(2, 1500, 5);
    points(3, 900, 0);
    // 1000000 − 5000 − 1500 = 993500 sorts before 1000000 − 6000 − 0 = 994000: the key lets a
    // total of 1000 or more outweigh a point today, and the rank still follows today's points.
    EXPECT_EQ(lines(RankingKind::TodayPoints),
              (QStringList{QStringLiteral(" 1③五　　　　  5/ 1500"),
                           QStringLiteral(" 2③六　　　　  6/    0")}));
}

TEST_F(LevelRankingTest, RanksFromHundredShowTheirLastTwoDigits) {
    for (int p = 1; p <= 101; ++p) {
        s.addPupil(p, QStringLiteral("P"));
        best(p, p);
    }
    const QStringList r = rankFields(lines(RankingKind::Time));
    EXPECT_EQ(r[8], QStringLiteral(" 9"));
    EXPECT_EQ(r[9], QStringLiteral("10"));
    EXPECT_EQ(r[99], QStringLiteral("00"));
    EXPECT_EQ(r[100], QStringLiteral("01"));
}

TEST_F(LevelRankingTest, FilteredPupilStillTakesARankPosition) {
    s.addPupil(1, QStringLiteral("A"), 3);
    s.addPupil(2, QStringLiteral("B"), 7);
    s.addPupil(3, QStringLiteral("C"), 3);
    s.addPupil(4, QStringLiteral("D"), 3);
    for (int p = 1; p <= 4; ++p)
        best(p, 50 + p);
    EXPECT_EQ(rankFields(lines(RankingKind::Time, QStringLiteral("小３"))),
              (QStringList{QStringLiteral(" 1"), QStringLiteral(" 3"), QStringLiteral(" 4")}));
    EXPECT_TRUE(lines(RankingKind::Time, QStringLiteral("よその組")).isEmpty());
}

TEST_F(LevelRankingTest, MoreThanTwoThousandPupilsAreAllRanked) {
    for (int p = 1; p <= 4500; ++p) {
        s.addPupil(p, QStringLiteral("P"));
        best(p, 5000 - p); // the last pupil is the fastest
    }
    const QStringList r = lines(RankingKind::Time);
    ASSERT_EQ(r.size(), 4500);
    EXPECT_TRUE(r.front().endsWith(QStringLiteral("   500 　"))) << r.front().toStdString();
}

TEST_F(LevelRankingTest, ChartStyleHasThreeCharacterRanksAndLongerNoRecordMark) {
    s.addPupil(1, QStringLiteral("A"));
    s.addPupil(2, QStringLiteral("B"));
    best(1, 45);
    const QStringList r = RankLevel(s->roster, s->Stats, s->session.CurrentStudent, 1,
                                    RankingKind::Time, kAll, RankStyle::Chart)
                              .lines;
    EXPECT_EQ(r, (QStringList{QStringLiteral("  1③A　　　　    45 　"),
                              QStringLiteral("---③B　　　　------ 　")}));
}

TEST_F(LevelRankingTest, BestViewSkipsPracticeLevelsPointsViewsRankThemHidden) {
    s.addPupil(1, QStringLiteral("A"));
    s->program.LevelNames[2] = QStringLiteral("レベル２練習");
    const RankingView bestView = BuildRankingView(
        s->program, s->roster, s->Stats, s->session.CurrentStudent, RankingKind::Time, kAll);
    EXPECT_EQ(bestView.title, QStringLiteral("ベスト成績"));
    EXPECT_TRUE(bestView.levels[1].listShown);
    EXPECT_EQ(bestView.levels[1].ranking.lines.size(), 1);
    EXPECT_FALSE(bestView.levels[2].listShown);
    EXPECT_TRUE(bestView.levels[2].ranking.lines.isEmpty());

    const RankingView total = BuildRankingView(
        s->program, s->roster, s->Stats, s->session.CurrentStudent, RankingKind::TotalPoints, kAll);
    EXPECT_EQ(total.title, QStringLiteral("獲得ポイント（今まで順位）"));
    EXPECT_FALSE(total.levels[2].listShown);
    EXPECT_EQ(total.levels[2].ranking.lines.size(), 1);
    EXPECT_EQ(BuildRankingView(s->program, s->roster, s->Stats, s->session.CurrentStudent,
                               RankingKind::TodayPoints, kAll)
                  .title,
              QStringLiteral("獲得ポイント（今日の順位）"));
}

} // namespace
