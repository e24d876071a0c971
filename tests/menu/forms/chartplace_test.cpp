// Where the chart panel Picture11 stands on the results menu: below the view title Label5, and
// over every level column that shows on the form, whichever column the paging starts at.

#include "app/screenparts.h"
#include "frame/datafiles.h"
#include "frame/forms/screenhost.h"
#include "menu/forms/seisekitime1.h"
#include "results/mistakesfile.h"
#include "support/control.h"
#include "support/screenharness.h"
#include "support/testmistakes.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
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
        f.state.menu.FirstVisibleLevel = firstVisible;
        auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
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

// A teacher looking at 佐藤's chart: the box of 佐藤's mistakes stands right of the chart,
// inside the panel, and shows all it has to say without scrolling or cutting a line.
TEST(ChartPlace, MistakesBoxBesideTheChartForTheTeacher) {
    ScreenHarness f{Classroom{}};
    const QDate today = f.clock.now().date();
    struct Made {
        const char* typed;
        MistakeKind kind;
        const char* first;
        const char* sign;
        const char* second;
        const char* answer;
        int daysAgo;
    };
    const Made made[] = {
        {"0.1", MistakeKind::PlaceAlignment, "0.07", "＋", "3", "3.07", 0},
        {"10", MistakeKind::PlaceAlignment, "0.07", "＋", "3", "3.07", 2},
        {"0.48", MistakeKind::PlaceAlignment, "0.4", "＋", "0.08", "0.48", 5},
        {"53", MistakeKind::PointPosition, "4.5", "＋", "0.8", "5.3", 1},
        {"3.5", MistakeKind::Zero, "3", "＋", "0.05", "3.05", 3},
        {"1.9", MistakeKind::ReversedOperation, "1.3", "－", "0.6", "0.7", 4},
        {"1.2", MistakeKind::CarryOrBorrow, "0.9", "＋", "0.3", "1.2", 6},
        {"5.8", MistakeKind::Typo, "4.5", "＋", "0.8", "5.3", 8},
        {"", MistakeKind::NoInput, "0.6", "＋", "0.5", "1.1", 9},
        {"*5", MistakeKind::Other, "0.6", "＋", "0.5", "1.1", 10},
    };
    std::vector<MistakeRecord> lines;
    for (const Made& m : made) {
        MistakeRecord r = testMistake(Classroom::kSato, 1, QString::fromUtf8(m.typed), m.kind,
                                      today.addDays(-m.daysAgo), QTime(9, 0));
        r.first = QString::fromUtf8(m.first);
        r.sign = QString::fromUtf8(m.sign);
        r.second = QString::fromUtf8(m.second);
        r.answer = QString::fromUtf8(m.answer);
        lines.push_back(r);
    }
    f.signIn(Classroom::kTeacher);
    ASSERT_TRUE(appendMistakes(mistakesFile(f.state.installation), lines, f.waiter).ok());
    auto* menu = f.show(new Seisekitime1(f.context, f.menuParts()));
    QTest::mouseClick(control<QRadioButton>(menu, "Option2_2"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(menu, "Command17"), Qt::LeftButton);
    auto* panel = control<QWidget>(menu, "Picture11");
    QTest::mouseClick(control<QPushButton>(panel, "Command25"), Qt::LeftButton);
    auto* pupils = control<QListWidget>(panel, "List2");
    QListWidgetItem* sato = nullptr;
    for (int row = 0; row < pupils->count(); ++row)
        if (pupils->item(row)->text().contains(QStringLiteral("佐藤")))
            sato = pupils->item(row);
    ASSERT_NE(sato, nullptr);
    sato->setSelected(true);
    emit pupils->itemClicked(sato);
    f.processEvents();
    f.snapshot(QStringLiteral("mistakes_beside_chart"));

    auto* box = control<QWidget>(panel, "mistakesBox");
    auto* chart = control<QWidget>(panel, "Picture12");
    ASSERT_TRUE(box && chart);
    ASSERT_TRUE(box->isVisible());
    EXPECT_TRUE(panel->rect().contains(box->geometry())) << describe(box->geometry()).toStdString();
    EXPECT_FALSE(box->geometry().intersects(chart->geometry()))
        << describe(box->geometry()).toStdString() << " covers the chart "
        << describe(chart->geometry()).toStdString();
    EXPECT_GE(chart->width(), 500) << "the chart keeps room for its text block";
    EXPECT_EQ(control<QLabel>(panel, "mistakesHeading")->text(),
              QStringLiteral("佐藤さん（最近１ヶ月）"));
    EXPECT_EQ(control<QLabel>(panel, "mistakesTotal")->text(),
              QStringLiteral("全レベルの間違い 10回"));
    auto* kinds = control<QLabel>(panel, "mistakesKinds");
    auto* scroll = box->findChild<QScrollArea*>();
    ASSERT_TRUE(kinds && scroll);
    EXPECT_LE(kinds->heightForWidth(scroll->viewport()->width()), scroll->viewport()->height())
        << "every kind of mistake, with its examples, shows without scrolling";
    for (QLabel* label : box->findChildren<QLabel*>()) {
        if (label->wordWrap())
            continue;
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
    }
}

} // namespace
