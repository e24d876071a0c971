// The whole road of a pupil on the real screens, by keyboard: roster form → results menu →
// drill → evaluation → results menu → roster form → launcher.

#include "app/navigation.h"
#include "app/roadkeys.h"
#include "frame/forms/textlist.h"
#include "support/control.h"
#include "support/screenharness.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

TEST(PupilRoad, SignInRunEvaluationMenuAndBackToTheLauncherByKeyboard) {
    ensureApplication();
    ScreenHarness h;
    h.random.fallback = 0.4f;
    h.install.writeLines(h.install.rosterPath(),
                         {QStringLiteral("12,2017,0,0,\"山田　花子\",0,\"\",\"\""),
                          QStringLiteral("13,2016,0,0,\"佐藤一郎\",0,\"\",\"\"")});
    wireNavigation(h.context, h.state, h.sounds, h.store);
    h.context.navigate.showRosterForm();
    h.processEvents();
    ASSERT_EQ(screenName(h), QStringLiteral("zanfolio::Namesel"));

    // Sign in by the list and Enter.
    TextList* names = control<TextList>(h.host.current(), "List1");
    ASSERT_NE(names, nullptr);
    ASSERT_GE(names->count(), 2);
    names->setFocus();
    for (int row = 1; row < names->count(); ++row)
        if (names->text(row).contains(QStringLiteral("山田")))
            names->setCurrentRow(row);
    QTest::keyClick(names, Qt::Key_Return);
    h.processEvents();
    ASSERT_EQ(screenName(h), QStringLiteral("zanfolio::Seisekitime1"));
    EXPECT_EQ(h.state.session.CurrentStudent, ScreenHarness::kPupil);
    EXPECT_EQ(control<QLabel>(h.host.current(), "Label14_2")->text(), QStringLiteral("-----"));

    // Level 2 by its key, ten correct answers.
    QTest::keyClicks(h.host.current(), QStringLiteral("2"));
    h.processEvents();
    ASSERT_EQ(screenName(h), QStringLiteral("zanfolio::MainFrm"));
    EXPECT_EQ(h.state.session.CurrentLevel, 2);
    for (int i = 0; i < 10; ++i) {
        h.clock.advanceMs(3000);
        QTest::keyClicks(h.host.current(), answerKeys(h));
    }
    EXPECT_EQ(h.state.run.CorrectCount, 10);
    for (int i = 0; i < 20 && screenName(h) != QStringLiteral("zanfolio::FrmSyuuryou"); ++i) {
        h.clock.advanceMs(200);
        h.pump(20);
    }
    ASSERT_EQ(screenName(h), QStringLiteral("zanfolio::FrmSyuuryou"));
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].level, 2);
    EXPECT_EQ(h.records()[0].pupil, ScreenHarness::kPupil);

    // "メニューへ" once the buttons are offered.
    QPushButton* menu = nullptr;
    for (int i = 0; i < 50 && !(menu && menu->isVisible()); ++i) {
        h.pump(20);
        menu = control<QPushButton>(h.host.current(), "Command4");
    }
    ASSERT_TRUE(menu && menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton);
    h.processEvents();
    ASSERT_EQ(screenName(h), QStringLiteral("zanfolio::Seisekitime1"));
    EXPECT_TRUE(
        control<QLabel>(h.host.current(), "Label14_2")->text().startsWith(QStringLiteral("1回/")));
    EXPECT_TRUE(
        control<QLabel>(h.host.current(), "Label15_2")->text().startsWith(QStringLiteral("1回/")));
    TextList* list = control<TextList>(h.host.current(), "List5_2");
    ASSERT_NE(list, nullptr);
    bool ownLine = false;
    for (int i = 0; i < list->count(); ++i)
        ownLine = ownLine || list->text(i).contains(QStringLiteral("●"));
    EXPECT_TRUE(ownLine);

    // "0" back to the roster form, "0" there to the launcher.
    QTest::keyClicks(h.host.current(), QStringLiteral("0"));
    h.processEvents();
    ASSERT_EQ(screenName(h), QStringLiteral("zanfolio::Namesel"));
    QTest::keyClicks(h.host.current(), QStringLiteral("0"));
    h.processEvents();
    ASSERT_EQ(h.launcher.started.size(), 1u);
    EXPECT_TRUE(
        h.launcher.started[0].first.endsWith(QStringLiteral("起動/プログラムメニューc.exe")));
    EXPECT_EQ(h.launcher.started[0].second, QStringList{QStringLiteral("001")});
    EXPECT_TRUE(h.host.ending());
}

} // namespace
