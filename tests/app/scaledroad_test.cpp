// A pupil's road in the window that fills a larger screen: keys typed on the window and a click
// at the scaled place of a start button drive the real screens as at the design size: roster
// form → results menu → drill with ten correct answers.

#include "app/navigation.h"
#include "app/roadkeys.h"
#include "frame/forms/scaledwindow.h"
#include "frame/forms/textlist.h"
#include "support/control.h"
#include "support/screenharness.h"
#include "support/screenshots.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

TEST(ScaledRoad, KeysAndClicksOnTheWindowDriveTheScreens) {
    for (QSize size : {QSize(1920, 1080), QSize(1280, 1024)}) {
        const QString tag = QStringLiteral("scaled-%1x%2").arg(size.width()).arg(size.height());
        SCOPED_TRACE(tag.toStdString());
        ScreenHarness h;
        h.random.fallback = 0.4f;
        h.install.writeLines(h.install.rosterPath(),
                             {QStringLiteral("12,2017,0,0,\"山田　花子\",0,\"\",\"\""),
                              QStringLiteral("13,2016,0,0,\"佐藤一郎\",0,\"\",\"\"")});
        wireNavigation(h.context, h.state, h.sounds, h.store);
        ScaledWindow window(h.host);
        window.resize(size);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

        h.context.navigate.showRosterForm();
        h.processEvents();
        ASSERT_EQ(screenName(h), QStringLiteral("zanfolio::Namesel"));
        saveScreenshot(window, tag + QStringLiteral("-roster"));
        TextList* names = control<TextList>(h.host.current(), "List1");
        ASSERT_NE(names, nullptr);
        EXPECT_TRUE(names->hasFocus());
        for (int i = 0; i < names->count() && !names->text(names->currentRow()).contains(u"山田");
             ++i)
            QTest::keyClick(&window, Qt::Key_Down);
        ASSERT_TRUE(names->text(names->currentRow()).contains(u"山田"));
        QTest::keyClick(&window, Qt::Key_Return);
        h.processEvents();
        ASSERT_EQ(screenName(h), QStringLiteral("zanfolio::Seisekitime1"));
        EXPECT_EQ(h.state.session.CurrentStudent, ScreenHarness::kPupil);
        saveScreenshot(window, tag + QStringLiteral("-menu"));

        // Level 2's start button, clicked where the window shows it.
        auto* start = control<QPushButton>(h.host.current(), "Command4_2");
        ASSERT_NE(start, nullptr);
        const QPointF inDesign = start->mapTo(&h.host, start->rect().center());
        const QRectF area = window.designArea();
        const QPoint onWindow =
            (area.topLeft() + inDesign * (area.width() / kScreenWidth)).toPoint();
        QTest::mouseClick(window.viewport(), Qt::LeftButton, {}, onWindow);
        h.processEvents();
        ASSERT_EQ(screenName(h), QStringLiteral("zanfolio::MainFrm"));
        EXPECT_EQ(h.state.session.CurrentLevel, 2);
        saveScreenshot(window, tag + QStringLiteral("-drill"));

        for (int i = 0; i < 10; ++i) {
            h.clock.advanceMs(3000);
            QTest::keyClicks(&window, answerKeys(h));
        }
        EXPECT_EQ(h.state.run.CorrectCount, 10);
    }
}

} // namespace
