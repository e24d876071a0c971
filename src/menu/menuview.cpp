#include "menu/menuview.h"

namespace zanfolio {

ViewChoice chooseView(MenuView view, int checkedSubView, MenuViewMemory memory) {
    ViewChoice out;
    out.memory = memory;
    switch (view) {
    case MenuView::Time:
        out.subViewCaptions[1] = QStringLiteral("BEST表示");
        out.subViewCaptions[2] = QStringLiteral("本日のみ");
        out.allRunsEnabled = true;
        out.memory.displayMode = 1;
        out.subView = checkedSubView;
        break;
    case MenuView::Points:
        out.subViewCaptions[1] = QStringLiteral("合計累計");
        out.subViewCaptions[2] = QStringLiteral("合計本日");
        out.subViewCaptions[3] = QStringLiteral("すべて");
        out.allRunsEnabled = true;
        out.dateWindowBoxHidden = true;
        out.memory.displayMode = 2;
        out.subView = checkedSubView;
        break;
    case MenuView::Personal:
    default:
        out.dateWindowBoxHidden = true;
        out.chartButtonShown = true;
        out.personalList = true;
        break;
    }
    if (out.subView < 1 || out.subView > 3)
        out.subView = 0;
    return out;
}

SubViewChoice chooseSubView(int subView, MenuViewMemory memory) {
    SubViewChoice out;
    if (memory.displayMode == 0)
        memory.displayMode = 1;
    if (memory.displayMode == 1) {
        if (subView == 1)
            out.listing = RankingKind::Time;
        else
            out.listing = subView == 2 ? RunListView::Today : RunListView::AllRuns;
    } else {
        if (memory.pointsRankingKind == 0)
            memory.pointsRankingKind = 1;
        if (subView == 1) {
            memory.pointsRankingKind = 1;
            out.listing = RankingKind::TotalPoints;
            out.menuProgressReset = true;
        } else if (subView == 2) {
            memory.pointsRankingKind = 2;
            out.listing = RankingKind::TodayPoints;
        } else {
            out.listing = RunListView::AllRuns;
        }
    }
    out.memory = memory;
    return out;
}

} // namespace zanfolio
