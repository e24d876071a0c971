// Where the chart panel Picture11 stands on the results menu: below the view title Label5, and
// over every level column that shows on the form, whichever column the paging starts at.

#include "frame/forms/screenhost.h"
#include "menu/forms/seisekitime1.h"
#include "support/control.h"
#include "support/screenharness.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

QString describe(QRect r) {
    return QStringLiteral("(%1,%2 %3×%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

TEST(ChartPlace, PanelBelowTheViewTitleAndOverEveryColumnInSight) {
    // The first visible level: 1 leaves the fifth column cut by the form's right edge.
    for (int firstVisible : {1, 2}) {
        SCOPED_TRACE(firstVisible);
        ScreenHarness f{Classroom{}};
        f.signIn(Classroom::kSato);
        f.state.FirstVisibleLevel = firstVisible;
        auto* menu = f.show(new Seisekitime1(f.context));
        ASSERT_EQ(control<QScrollBar>(menu, "HScroll1")->value(), firstVisible);
        QTest::mouseClick(control<QRadioButton>(menu, "Option2_2"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(menu, "Command17"), Qt::LeftButton);
        auto* panel = control<QWidget>(menu, "Picture11");
        auto* title = control<QLabel>(menu, "Label5");
        ASSERT_TRUE(panel && title);
        ASSERT_TRUE(panel->isVisible());
        EXPECT_TRUE(title->text().startsWith(QStringLiteral("個人別ﾀｲﾑ")))
            << title->text().toStdString();
        f.snapshot(QStringLiteral("chart_on_menu_from_%1").arg(firstVisible));

        const QRect covered = panel->geometry();
        EXPECT_FALSE(covered.intersects(title->geometry()))
            << describe(covered).toStdString() << " covers the title "
            << describe(title->geometry()).toStdString();

        // Every control of a level column (menucolumns.h) that shows on the form.
        const QRegularExpression columnControl(
            QStringLiteral("^(Label(1|3|7|8|9|10|14|15)|Command4|Text1|List5)_[1-9][0-9]*$"));
        const QRect form(0, 0, kScreenWidth, kScreenHeight);
        int checked = 0;
        for (QWidget* w : menu->findChildren<QWidget*>(columnControl, Qt::FindDirectChildrenOnly)) {
            const QRect inSight = w->geometry() & form;
            if (!w->isVisibleTo(menu) || inSight.isEmpty())
                continue;
            ++checked;
            EXPECT_TRUE(covered.contains(inSight))
                << w->objectName().toStdString() << " " << describe(inSight).toStdString()
                << " shows beside the panel " << describe(covered).toStdString();
        }
        EXPECT_GT(checked, 4 * 9); // four columns or more, each of nine controls or more
    }
}

} // namespace
