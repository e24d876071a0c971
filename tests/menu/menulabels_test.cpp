#include "menu/columnlayout.h"
#include "menu/keyshortcuts.h"
#include "menu/menufixture.h"
#include "menu/menulabels.h"

#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

TEST(MenuLabels, TalliesAndTheirNoRunTexts) {
    MenuState s;
    s->session.CurrentStudent = 4;
    EXPECT_EQ(TodayTallyText(s->Stats, s->session.CurrentStudent, 1), QStringLiteral("-----"));
    EXPECT_EQ(TotalTallyText(s->Stats, s->session.CurrentStudent, 1), QStringLiteral("------"));
    // Points without a completed run (a time-out) still show the no-run text.
    s->Stats.TotalPoints(1, 4) = 7;
    EXPECT_EQ(TotalTallyText(s->Stats, s->session.CurrentStudent, 1), QStringLiteral("------"));
    s->Stats.TodayRunCounts(2, 4) = 3;
    s->Stats.TodayPoints(2, 4) = 12;
    s->Stats.TotalRunCounts(2, 4) = 1;
    s->Stats.TotalPoints(2, 4) = 4;
    EXPECT_EQ(TodayTallyText(s->Stats, s->session.CurrentStudent, 2), QStringLiteral("3回/12点"));
    EXPECT_EQ(TotalTallyText(s->Stats, s->session.CurrentStudent, 2), QStringLiteral("1回/4点"));
}

TEST(MenuLabels, ClearWindowAndTargetTexts) {
    MenuState s;
    s->session.CurrentStudent = 4;
    s->Stats.WindowRunCounts(1, 4) = 3;
    s->Stats.WindowPoints(1, 4) = 25;
    EXPECT_EQ(ClearWindowTallyText(s->Criteria, s->Stats, s->session.CurrentStudent, 1),
              QStringLiteral("最近7日=3回 / 25点"));

    s->Criteria.PointMultiplier[1] = 1.5f;
    EXPECT_EQ(TargetText(s->Criteria, 1), QStringLiteral("目標=40秒 5回/30点(×1.5)"));
    s->Criteria.PointMultiplier[1] = 1.1f;
    EXPECT_EQ(TargetText(s->Criteria, 1), QStringLiteral("目標=40秒 5回/30点(×1.1)"));
    s->Criteria.PointMultiplier[1] = 2.0f;
    EXPECT_EQ(TargetText(s->Criteria, 1), QStringLiteral("目標=40秒 5回/30点(×2)"));
    s->Criteria.TargetPoints[1] = 9999;
    EXPECT_EQ(TargetText(s->Criteria, 1), QStringLiteral("目標=40秒 --------"));
}

TEST(MenuLabels, HeaderTexts) {
    EXPECT_EQ(MinutesSinceSignInText(36000, 36000 + 125), QStringLiteral("起動後2分"));
    EXPECT_EQ(MinutesSinceSignInText(36000, 36000 + 59), QStringLiteral("起動後0分"));
    // Signed in at 23:58, two minutes after midnight.
    EXPECT_EQ(MinutesSinceSignInText(86400 - 120, 120), QStringLiteral("起動後4分"));

    MenuState s;
    s->session.CurrentStudent = 12;
    s->Stats.TodayRunCounts(1, 12) = 2;
    s->Stats.TodayRunCounts(35, 12) = 1; // beyond the offered levels, still counted
    EXPECT_EQ(TodayRunTotalOf(s->Stats, s->session.CurrentStudent), 3);
    EXPECT_EQ(TodayRunTotalText(3), QStringLiteral("本日総回数＝3回"));

    s->session.StudentGrade = QStringLiteral("小３");
    s->session.StudentName = QStringLiteral("山田　花子          ");
    s->installation.SchoolName = QStringLiteral("テスト塾");
    EXPECT_EQ(PupilHeaderText(s->session), QStringLiteral("小３ 山田　花子"));
    EXPECT_EQ(SchoolHeaderText(s->installation.SchoolName, s->session.CurrentStudent),
              QStringLiteral("テスト塾:12"));
}

TEST(MenuLabels, TeacherEntries) {
    EXPECT_TRUE(IsTeacherName(QStringLiteral("★山田")));
    EXPECT_TRUE(IsTeacherName(QStringLiteral("田中先生      ")));
    EXPECT_FALSE(IsTeacherName(QStringLiteral("先山生")));
    EXPECT_FALSE(IsTeacherName(QString()));
}

TEST(ColumnLayout, WidthsAndScrollBar) {
    EXPECT_EQ(ColumnWidth(5), 3456);
    EXPECT_EQ(ColumnWidth(35), 3456);
    EXPECT_EQ(ColumnWidth(4), 3648);
    EXPECT_EQ(ColumnWidth(3), 4864);
    EXPECT_EQ(ColumnWidth(1), 14592);
    EXPECT_EQ(ColumnWidth(0), 0);
    EXPECT_TRUE(ColumnScrollShown(5));
    EXPECT_EQ(ColumnScrollMaximum(5), 2);
    EXPECT_FALSE(ColumnScrollShown(4));

    const ColumnPartWidths parts = ColumnParts(3456);
    EXPECT_DOUBLE_EQ(parts.number, 691.2);
    EXPECT_DOUBLE_EQ(parts.name, 3456 - 691.2);
    EXPECT_DOUBLE_EQ(parts.half, 1728);
    EXPECT_DOUBLE_EQ(ColumnLeft(15000, 1, 3456), 300);
    EXPECT_DOUBLE_EQ(ColumnLeft(15000, 3, 3456), 300 + 2 * 3456);
}

TEST(ColumnLayout, PagingMovesColumnsLeftOfTheFirstOutOfSight) {
    const double reference = 300, formWidth = 15000;
    const PagedColumn level1 = PagedColumnLeft(reference, formWidth, 1, 2, 3456);
    EXPECT_DOUBLE_EQ(level1.left, formWidth);
    const PagedColumn level2 = PagedColumnLeft(reference, formWidth, 2, 2, 3456);
    EXPECT_DOUBLE_EQ(level2.left, reference);
    EXPECT_DOUBLE_EQ(level2.nameLeft, reference + 691.2);
    EXPECT_DOUBLE_EQ(level2.rightLeft, reference + 1728);
    EXPECT_DOUBLE_EQ(PagedColumnLeft(reference, formWidth, 5, 2, 3456).left, reference + 3 * 3456);

    EXPECT_EQ(NormalizedFirstVisibleLevel(0, 5), 1);
    EXPECT_EQ(NormalizedFirstVisibleLevel(2, 5), 2);
    EXPECT_EQ(NormalizedFirstVisibleLevel(3, 5), 1);
    EXPECT_EQ(ScrolledFirstVisibleLevel(2, 5), 2);
    EXPECT_EQ(ScrolledFirstVisibleLevel(6, 5), 1);
}

TEST(KeyShortcuts, WhichLevelATypedCharacterStarts) {
    using A = MenuShortcut::Action;
    struct Case {
        char16_t c;
        int levelCount;
        A action;
        int level;
    };
    const Case cases[] = {
        {u'1', 5, A::StartLevel, 1},   {u'2', 5, A::StartLevel, 2},   {u'5', 5, A::StartLevel, 5},
        {u'6', 5, A::None, 0},         {u'9', 9, A::StartLevel, 9},   {u'a', 9, A::None, 0},
        {u'a', 10, A::StartLevel, 10}, {u'd', 13, A::StartLevel, 13}, {u'd', 12, A::None, 0},
        {u'e', 35, A::None, 0},        {u'A', 13, A::None, 0},        {u'0', 5, A::BackToRoster, 0},
        {u'x', 5, A::None, 0},
    };
    for (const Case& c : cases) {
        const MenuShortcut s = ShortcutFor(QChar(c.c), c.levelCount);
        EXPECT_EQ(s.action, c.action) << char(c.c) << " with " << c.levelCount;
        EXPECT_EQ(s.level, c.level) << char(c.c) << " with " << c.levelCount;
    }
}

} // namespace
