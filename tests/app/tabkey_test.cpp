// Tab and Shift+Tab on every screen with buttons: the focus reaches every button shown and goes
// round, from the last control back to the first, in the window as the classroom sees it (the
// design scaled to a 1920 × 1080 screen) and at the design size; no text box keeps the Tab for
// itself.

#include "app/screenparts.h"
#include "evaluation/forms/frmsyuuryou.h"
#include "evaluation/forms/frmsyuuryoupeer.h"
#include "frame/forms/scaledwindow.h"
#include "menu/forms/seisekitime1.h"
#include "roster/forms/namesel.h"
#include "support/control.h"
#include "support/screenharness.h"
#include "teacher/forms/frmdata.h"
#include "teacher/forms/frmtimedata.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

struct TabCase {
    const char* name;
    bool classroom;
    std::function<QWidget*(ScreenHarness&)> open;
};

void PrintTo(const TabCase& c, std::ostream* os) {
    *os << c.name;
}

const TabCase kScreens[] = {
    {"RosterForm", true,
     [](ScreenHarness& h) -> QWidget* { return h.show(new Namesel(h.context, h.rosterParts())); }},
    {"ResultsMenu", true,
     [](ScreenHarness& h) -> QWidget* {
         h.signIn(Classroom::kTeacher);
         return h.show(new Seisekitime1(h.context, h.menuParts()));
     }},
    {"RecordsBrowser", true,
     [](ScreenHarness& h) -> QWidget* { return h.show(new FrmData(h.context, h.teacherParts())); }},
    {"CriteriaEditor", true,
     [](ScreenHarness& h) -> QWidget* {
         return h.show(new FrmTimeData(h.context, h.teacherParts()));
     }},
    {"Evaluation", false,
     [](ScreenHarness& h) -> QWidget* {
         h.appendRecord(2, 30);
         h.state.session.CurrentLevel = 2;
         h.state.outcome.RecordedTime = 30;
         auto* screen = h.show(new FrmSyuuryou(h.context, h.evaluationParts()));
         FrmSyuuryouTestPeer::Timer1_Timer(*screen);
         return screen;
     }},
};

class TabKey : public ::testing::TestWithParam<std::tuple<TabCase, bool>> {
  protected:
    TabKey()
        : h(std::get<0>(GetParam()).classroom ? std::make_unique<ScreenHarness>(Classroom{})
                                              : std::make_unique<ScreenHarness>()) {}

    // Puts the window up as the classroom has it, with the screen in it.
    QWidget* open() {
        QWidget* screen = std::get<0>(GetParam()).open(*h);
        if (std::get<1>(GetParam())) {
            scaled = std::make_unique<ScaledWindow>(h->host);
            scaled->resize(1920, 1080);
            scaled->show();
            scaled->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(scaled.get()));
        } else {
            h->host.show();
            h->host.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&h->host));
        }
        h->processEvents();
        return screen;
    }

    // A key where the keyboard sends it: to the window that is active.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* window = scaled ? static_cast<QWidget*>(scaled.get()) : &h->host;
        QWidget* to = scaled ? window : (h->host.focusWidget() ? h->host.focusWidget() : window);
        QTest::keyClick(to, key, modifiers);
        h->processEvents();
    }

    std::unique_ptr<ScreenHarness> h;
    std::unique_ptr<ScaledWindow> scaled;
};

// The buttons Tab must reach: each push button, and each group of option buttons (Tab reaches
// a group at its chosen button; the arrow keys choose within it, as on Windows).
std::map<QObject*, std::vector<QWidget*>> tabStops(QWidget* screen) {
    std::map<QObject*, std::vector<QWidget*>> stops;
    for (QAbstractButton* b : screen->findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || !b->isEnabled())
            continue;
        QObject* group = b;
        if (qobject_cast<QRadioButton*>(b))
            group = b->group() ? static_cast<QObject*>(b->group()) : b->parent();
        stops[group].push_back(b);
    }
    return stops;
}

TEST_P(TabKey, ReachesEveryButtonAndGoesRound) {
    QWidget* screen = open();
    const std::map<QObject*, std::vector<QWidget*>> stops = tabStops(screen);
    ASSERT_FALSE(stops.empty());

    const int presses = 3 * int(screen->findChildren<QWidget*>().size());
    std::vector<QWidget*> forward;
    for (int i = 0; i < presses; ++i) {
        press(Qt::Key_Tab);
        forward.push_back(h->host.focusWidget());
    }
    for (const auto& [group, buttons] : stops) {
        const bool reached = std::any_of(buttons.begin(), buttons.end(), [&](QWidget* b) {
            return std::find(forward.begin(), forward.end(), b) != forward.end();
        });
        EXPECT_TRUE(reached) << buttons.front()->objectName().toStdString() << " is never reached";
    }
    // Round and round: once a control comes up again, the same order follows.
    const auto again = std::find(forward.begin() + 1, forward.end(), forward.front());
    ASSERT_NE(again, forward.end())
        << "the focus never came back to " << forward.front()->objectName().toStdString();
    const auto period = again - forward.begin();
    for (size_t i = size_t(period); i < forward.size(); ++i)
        EXPECT_EQ(forward[i], forward[i - size_t(period)]) << i;

    // Shift+Tab walks the same round backwards.
    QWidget* from = h->host.focusWidget();
    for (ptrdiff_t i = 0; i < period; ++i)
        press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(h->host.focusWidget(), from);

    for (QTextEdit* text : screen->findChildren<QTextEdit*>())
        EXPECT_FALSE(text->toPlainText().contains(u'\t')) << text->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Screens, TabKey,
                         ::testing::Combine(::testing::ValuesIn(kScreens), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<TabCase, bool>>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "Scaled" : "DesignSize");
                         });

} // namespace
