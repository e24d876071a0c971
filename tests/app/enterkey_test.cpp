// Return and Enter on every screen's buttons, as on the classroom computers: the focused button
// is pressed by Return or Enter as by the space bar, once per stroke however long the key is
// held; and on the screens whose keys mean something of their own (the drill, the criteria
// editor's text box) Return presses no button.
//
// The buttons' own handlers are disconnected where only the key is in question: what a click
// does is tested with each screen.

#include "app/screenparts.h"
#include "drill/forms/mainfrm.h"
#include "drill/forms/startrun.h"
#include "evaluation/forms/frmsyuuryou.h"
#include "evaluation/forms/frmsyuuryoupeer.h"
#include "menu/forms/seisekitime1.h"
#include "roster/forms/namesel.h"
#include "support/control.h"
#include "support/screenharness.h"
#include "teacher/forms/frmdata.h"
#include "teacher/forms/frmtimedata.h"
#include "version/forms/frmver.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

// The evaluation after a run of 30 s on level 2, once its timer has offered the buttons.
QWidget* evaluationWithButtons(ScreenHarness& h) {
    h.appendRecord(2, 30);
    h.state.session.CurrentLevel = 2;
    h.state.outcome.RecordedTime = 30;
    auto* screen = h.show(new FrmSyuuryou(h.context, h.evaluationParts()));
    FrmSyuuryouTestPeer::Timer1_Timer(*screen);
    return screen;
}

struct ScreenCase {
    const char* name;
    bool classroom; // the classroom's harness (roster, menu, teacher tools) or a signed-in pupil
    // Puts the screen up as the user finds it; returns the widget that holds the buttons.
    std::function<QWidget*(ScreenHarness&)> open;
    QStringList buttons;
};

void PrintTo(const ScreenCase& c, std::ostream* os) {
    *os << c.name;
}

const ScreenCase kScreens[] = {
    {"RosterForm",
     true,
     [](ScreenHarness& h) -> QWidget* { return h.show(new Namesel(h.context, h.rosterParts())); },
     {QStringLiteral("Command14"), QStringLiteral("Command7")}},
    {"ResultsMenu",
     true,
     [](ScreenHarness& h) -> QWidget* {
         h.signIn(Classroom::kTeacher);
         return h.show(new Seisekitime1(h.context, h.menuParts()));
     },
     {QStringLiteral("Command1"), QStringLiteral("Command8"), QStringLiteral("Command4_1")}},
    {"ResultsMenuPasswordPanel",
     true,
     [](ScreenHarness& h) -> QWidget* {
         h.signIn(Classroom::kTeacher);
         auto* menu = h.show(new Seisekitime1(h.context, h.menuParts()));
         QTest::mouseClick(control<QPushButton>(menu, "Command8"), Qt::LeftButton);
         return menu;
     },
     {QStringLiteral("Command10_0"), QStringLiteral("Command10_1"), QStringLiteral("Command12")}},
    {"ChartPanel",
     true,
     [](ScreenHarness& h) -> QWidget* {
         h.signIn(Classroom::kTeacher);
         auto* menu = h.show(new Seisekitime1(h.context, h.menuParts()));
         QTest::mouseClick(control<QRadioButton>(menu, "Option2_2"), Qt::LeftButton);
         QTest::mouseClick(control<QPushButton>(menu, "Command17"), Qt::LeftButton);
         return control<QWidget>(menu, "Picture11");
     },
     {QStringLiteral("Command24_0"), QStringLiteral("Command25"), QStringLiteral("Command18")}},
    {"Evaluation",
     false,
     evaluationWithButtons,
     {QStringLiteral("Command4"), QStringLiteral("Command5")}},
    {"RecordsBrowser",
     true,
     [](ScreenHarness& h) -> QWidget* {
         auto* browser = h.show(new FrmData(h.context, h.teacherParts()));
         // The edit panel, as a double click on a record opens it.
         control<QWidget>(browser, "Picture3")->show();
         return browser;
     },
     {QStringLiteral("Command2"), QStringLiteral("Command3"), QStringLiteral("Command17"),
      QStringLiteral("Command16"), QStringLiteral("Command4")}},
    {"VersionBox",
     true,
     [](ScreenHarness& h) -> QWidget* {
         auto* box = new Frmver(h.state.program, &h.host);
         box->show();
         h.processEvents();
         return box;
     },
     {QStringLiteral("Command1"), QStringLiteral("Command2")}},
};

class EnterKey : public ::testing::TestWithParam<ScreenCase> {
  protected:
    EnterKey()
        : h(GetParam().classroom ? std::make_unique<ScreenHarness>(Classroom{})
                                 : std::make_unique<ScreenHarness>()) {}
    std::unique_ptr<ScreenHarness> h;
};

void key(QWidget* to, QEvent::Type type, Qt::Key k, bool autoRepeat = false) {
    const Qt::KeyboardModifiers modifiers =
        k == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QKeyEvent event(type, k, modifiers, QStringLiteral("\r"), autoRepeat);
    QApplication::sendEvent(to, &event);
}

TEST_P(EnterKey, PressesTheFocusedButtonOncePerStroke) {
    QWidget* holder = GetParam().open(*h);
    ASSERT_NE(holder, nullptr);
    for (const QString& name : GetParam().buttons) {
        SCOPED_TRACE(name.toStdString());
        auto* button = control<QPushButton>(holder, name);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isVisible() && button->isEnabled());
        QObject::disconnect(button, &QPushButton::clicked, nullptr, nullptr);
        QSignalSpy clicks(button, &QPushButton::clicked);
        button->setFocus();
        ASSERT_EQ(holder->window()->focusWidget(), button);

        // Gone down on the screen before (the roster's list, signing in): nothing here.
        key(button, QEvent::KeyRelease, Qt::Key_Return);
        EXPECT_EQ(clicks.count(), 0) << "a Return that went down elsewhere";

        for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter}) {
            key(button, QEvent::KeyPress, k);
            key(button, QEvent::KeyRelease, k);
        }
        EXPECT_EQ(clicks.count(), 2) << "one click for Return, one for Enter";

        // Held down: the keyboard repeats the press until the key comes up.
        key(button, QEvent::KeyPress, Qt::Key_Return);
        for (int i = 0; i < 5; ++i)
            key(button, QEvent::KeyPress, Qt::Key_Return, true);
        key(button, QEvent::KeyRelease, Qt::Key_Return);
        EXPECT_EQ(clicks.count(), 3) << "a held Return is one click";
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, EnterKey, ::testing::ValuesIn(kScreens),
                         [](const ::testing::TestParamInfo<ScreenCase>& info) {
                             return std::string(info.param.name);
                         });

// Held on "もう一度" with its own handler: one run starts, and the next stroke (on a button now
// disabled) starts none.
TEST(EvaluationEnterKey, HeldReturnStartsOneRun) {
    ScreenHarness h;
    int runs = 0;
    int menus = 0;
    h.context.navigate.startRun = [&runs] { ++runs; };
    h.context.navigate.showResultsMenu = [&menus] { ++menus; };
    QWidget* screen = evaluationWithButtons(h);
    auto* again = control<QPushButton>(screen, "Command5");
    ASSERT_NE(again, nullptr);
    again->setFocus();
    key(again, QEvent::KeyPress, Qt::Key_Return);
    for (int i = 0; i < 5; ++i)
        key(again, QEvent::KeyPress, Qt::Key_Return, true);
    key(again, QEvent::KeyRelease, Qt::Key_Return);
    QTest::keyClick(h.host.focusWidget() ? h.host.focusWidget() : &h.host, Qt::Key_Return);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(menus, 0);
}

// Screens whose keys are their own: Return where the focus is presses none of their buttons.
struct OwnKeysCase {
    const char* name;
    bool classroom;
    std::function<QWidget*(ScreenHarness&)> open;
};

void PrintTo(const OwnKeysCase& c, std::ostream* os) {
    *os << c.name;
}

const OwnKeysCase kOwnKeys[] = {
    // The drill reads every key; with a wrong answer waiting, "確認" shows.
    {"DrillWithTheConfirmButton", false,
     [](ScreenHarness& h) -> QWidget* {
         h.random.fallback = 0.5f; // 0.5 ＋ 0.5
         h.state.session.CurrentLevel = 1;
         StartRun(h.context, h.drillParts());
         h.processEvents();
         QTest::keyClicks(h.host.current(), QStringLiteral("2  "));
         return h.host.current();
     }},
    // The text box over the grid takes the typing; Return there refreshes the cell.
    {"CriteriaEditor", true,
     [](ScreenHarness& h) -> QWidget* {
         return h.show(new FrmTimeData(h.context, h.teacherParts()));
     }},
};

class ReturnOnOwnKeys : public ::testing::TestWithParam<OwnKeysCase> {
  protected:
    ReturnOnOwnKeys()
        : h(GetParam().classroom ? std::make_unique<ScreenHarness>(Classroom{})
                                 : std::make_unique<ScreenHarness>()) {}
    std::unique_ptr<ScreenHarness> h;
};

TEST_P(ReturnOnOwnKeys, PressesNoButton) {
    QWidget* screen = GetParam().open(*h);
    ASSERT_NE(screen, nullptr);
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    int shown = 0;
    for (QPushButton* button : screen->findChildren<QPushButton*>()) {
        shown += button->isVisible() ? 1 : 0;
        spies.push_back(std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
    }
    EXPECT_GT(shown, 0);
    QWidget* focused = h->host.focusWidget() ? h->host.focusWidget() : screen;
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(focused, k, k == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    for (const auto& spy : spies)
        EXPECT_EQ(spy->count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Screens, ReturnOnOwnKeys, ::testing::ValuesIn(kOwnKeys),
                         [](const ::testing::TestParamInfo<OwnKeysCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
