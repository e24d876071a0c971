#include "menu/menuview.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace zanfolio;

namespace {

struct ViewCase {
    const char* name;
    MenuView view;
    int checked;
    MenuViewMemory before;
    std::array<QString, 4> captions;
    bool allRunsEnabled;
    bool dateWindowBoxHidden;
    bool chartButtonShown;
    MenuViewMemory after;
    int subView;
    bool personalList;
};

TEST(MenuView, ChoosingAView) {
    const QString keep;
    const ViewCase cases[] = {
        // The time view renames two sub-views; "すべて" keeps the points view's caption.
        {"time, today's list checked",
         MenuView::Time,
         2,
         {2, 1},
         {keep, QStringLiteral("BEST表示"), QStringLiteral("本日のみ"), keep},
         true,
         false,
         false,
         {1, 1},
         2,
         false},
        {"points, all runs checked",
         MenuView::Points,
         3,
         {1, 0},
         {keep, QStringLiteral("合計累計"), QStringLiteral("合計本日"), QStringLiteral("すべて")},
         true,
         true,
         false,
         {2, 0},
         3,
         false},
        {"points, nothing checked: no sub-view follows",
         MenuView::Points,
         0,
         {0, 0},
         {keep, QStringLiteral("合計累計"), QStringLiteral("合計本日"), QStringLiteral("すべて")},
         true,
         true,
         false,
         {2, 0},
         0,
         false},
        // The personal view keeps the display mode: its sub-view buttons still list that view.
        {"personal after points",
         MenuView::Personal,
         1,
         {2, 2},
         {},
         false,
         true,
         true,
         {2, 2},
         0,
         true},
        {"personal after time",
         MenuView::Personal,
         3,
         {1, 0},
         {},
         false,
         true,
         true,
         {1, 0},
         0,
         true},
    };
    for (const ViewCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ViewChoice got = chooseView(c.view, c.checked, c.before);
        for (size_t k = 1; k <= 3; ++k)
            EXPECT_EQ(got.subViewCaptions[k], c.captions[k]) << "Option1(" << k << ")";
        EXPECT_EQ(got.allRunsEnabled, c.allRunsEnabled);
        EXPECT_EQ(got.dateWindowBoxHidden, c.dateWindowBoxHidden);
        EXPECT_EQ(got.chartButtonShown, c.chartButtonShown);
        EXPECT_EQ(got.memory.displayMode, c.after.displayMode);
        EXPECT_EQ(got.memory.pointsRankingKind, c.after.pointsRankingKind);
        EXPECT_EQ(got.subView, c.subView);
        EXPECT_EQ(got.personalList, c.personalList);
    }
}

using Listing = std::variant<RankingKind, RunListView>;

struct SubViewCase {
    const char* name;
    int subView;
    MenuViewMemory before;
    Listing listing;
    MenuViewMemory after;
    bool progressReset;
};

TEST(MenuView, ChoosingASubView) {
    const SubViewCase cases[] = {
        {"no view yet counts as the time view", 1, {0, 0}, RankingKind::Time, {1, 0}, false},
        {"time, best times", 1, {1, 2}, RankingKind::Time, {1, 2}, false},
        {"time, today's runs", 2, {1, 0}, RunListView::Today, {1, 0}, false},
        {"time, all runs", 3, {1, 0}, RunListView::AllRuns, {1, 0}, false},
        {"points, total", 1, {2, 2}, RankingKind::TotalPoints, {2, 1}, true},
        {"points, today", 2, {2, 1}, RankingKind::TodayPoints, {2, 2}, false},
        // All runs under points: the chart ranks by total points unless today's was chosen.
        {"points, all runs, no ranking yet", 3, {2, 0}, RunListView::AllRuns, {2, 1}, false},
        {"points, all runs after today's", 3, {2, 2}, RunListView::AllRuns, {2, 2}, false},
    };
    for (const SubViewCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SubViewChoice got = chooseSubView(c.subView, c.before);
        EXPECT_TRUE(got.listing == c.listing);
        EXPECT_EQ(got.memory.displayMode, c.after.displayMode);
        EXPECT_EQ(got.memory.pointsRankingKind, c.after.pointsRankingKind);
        EXPECT_EQ(got.menuProgressReset, c.progressReset);
    }
}

} // namespace
