#pragma once
// The results menu's views as values: what choosing a view (`Option2`: "ﾀｲﾑ表示",
// "ﾎﾟｲﾝﾄ表示", "個人ﾀｲﾑ") or a sub-view (`Option1` 1..3) shows and lists, from the choice and
// the menu's view memory. The form applies them: the busy panel, the buttons and the lists are
// its own.

#include "menu/levelranking.h"
#include "menu/runlists.h"

#include <QString>
#include <array>
#include <variant>

namespace zanfolio {

// Option2's index.
enum class MenuView { Time = 0, Points = 1, Personal = 2 };

// What the menu remembers of its views: ResultsDisplayMode (0 before the first view, 1 the
// time view, 2 the points view; the personal view keeps the one before it, and its sub-view
// buttons list as that one does) and PointsRankingKind (0 before the first points ranking,
// 1 total points, 2 today's points; what the chart ranks by).
struct MenuViewMemory {
    int displayMode = 0;
    int pointsRankingKind = 0;
};

// Choosing a view once the menu is prepared (during the activation only the busy panel comes
// up).
struct ViewChoice {
    // Option1(1..3)'s captions (element 0 unused); an empty one is kept as it is.
    std::array<QString, 4> subViewCaptions;
    bool allRunsEnabled = false;      // Option1(3) enabled
    bool dateWindowBoxHidden = false; // Combo2 hidden (the time view leaves it as it is)
    bool chartButtonShown = false;    // Command17 "グラフ"
    MenuViewMemory memory;            // after the choice
    // Then the sub-view checked is shown as if clicked (0: none is checked, and the view stays
    // behind the busy panel), or, for the personal view, its list (the chart's lists first).
    int subView = 0;
    bool personalList = false;
};
// checkedSubView: the Option1 checked, 1..3, or 0.
ViewChoice chooseView(MenuView view, int checkedSubView, MenuViewMemory memory);

// Choosing a sub-view (`Option1_Click`): what the columns list, by the display mode remembered
// (none yet counts as the time view).
struct SubViewChoice {
    std::variant<RankingKind, RunListView> listing;
    MenuViewMemory memory;          // after the choice
    bool menuProgressReset = false; // ProgressBar1 back to 0 before the listing
};
// subView: 1..3; any other counts as 3.
SubViewChoice chooseSubView(int subView, MenuViewMemory memory);

} // namespace zanfolio
