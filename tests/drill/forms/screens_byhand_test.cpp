// Run by hand, skipped otherwise: renders the drill and evaluation screens in their main states
// to PNG files, for looking at them as a pupil sees them (layout, Japanese text, nothing cut or
// overlapping).
//
//   ZANFOLIO_SCREENSHOT_DIR=/tmp/screens drill_forms_test --gtest_filter='ByHand.*'

#include "drill/forms/mainfrm.h"
#include "drill/forms/mainfrmpeer.h"
#include "drill/forms/startrun.h"
#include "evaluation/forms/frmsyuuryou.h"
#include "evaluation/forms/frmsyuuryoupeer.h"
#include "frame/platformfile.h"
#include "support/screenharness.h"
#include "support/screenshots.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

void save(ScreenHarness& h, const char* name) {
    h.processEvents();
    saveScreenshot(h.host, QString::fromLatin1(name));
}

MainFrm* startRun(ScreenHarness& h, int level, std::initializer_list<float> draws) {
    for (float r : draws)
        h.random.push(r);
    h.random.fallback = 0.5f;
    h.state.session.CurrentLevel = level;
    h.context.navigate.showEvaluation = [&h] {
        h.host.replace(new FrmSyuuryou(h.context, h.evaluationParts()));
    };
    StartRun(h.context, h.drillParts());
    h.processEvents();
    return h.currentAs<MainFrm>();
}

void drillScreens() {
    {
        ScreenHarness h;
        MainFrm* f = startRun(h, 1, {0.7f, 0.1f, 0.25f, 0.9f}); // 0.07 ＋ 3
        h.clock.advanceMs(12000);
        MainFrmTestPeer::sTimer1_Timer(*f);
        QTest::keyClicks(f, QStringLiteral("3.0"));
        save(h, "drill-problem");
        MainFrmTestPeer::Timer1_Timer(*f);
        save(h, "drill-hint");
    }
    {
        ScreenHarness h;
        MainFrm* f = startRun(h, 4, {0.9995f, 0.5f, 0.95f, 0.9f}); // 108.9 － 9
        h.clock.advanceMs(140000);
        MainFrmTestPeer::sTimer1_Timer(*f);
        QTest::keyClicks(f, QStringLiteral("12345.67 "));
        save(h, "drill-wrong");
    }
    {
        ScreenHarness h;
        h.state.session.StudentName = QStringLiteral("長い名前の生徒さんです一二三四五六七八");
        h.state.installation.SchoolName = QStringLiteral("さくら学習塾　駅前本校・第二教室");
        h.state.program.ProgramTitle = QStringLiteral("Zanfolio 小数のたし算");
        MainFrm* f = startRun(h, 5, {});
        h.clock.advanceMs(300000);
        MainFrmTestPeer::sTimer1_Timer(*f);
        save(h, "drill-timeout");
    }
    {
        ScreenHarness h;
        MainFrm* f = startRun(h, 1, {});
        Result<PlatformFile> holder =
            PlatformFile::open(h.install.resultsPath(), PlatformFile::Mode::ReadWriteCreate);
        std::optional<PlatformFile> lock;
        if (holder && *holder->tryLock(0, 44))
            lock.emplace(std::move(*holder));
        h.waiter.onWait = [&](int n) {
            if (n == 1)
                save(h, "drill-recordwait");
            if (n == 2)
                lock.reset();
        };
        for (int i = 0; i < 10; ++i)
            QTest::keyClicks(f, QStringLiteral("1  "));
        save(h, "drill-recorded");
    }
}

void evaluationScreens() {
    {
        ScreenHarness h;
        for (int i = 0; i < 5; ++i)
            h.appendRecord(5, 10);
        h.state.session.CurrentLevel = 5;
        h.state.outcome.RecordedTime = 10;
        h.state.outcome.NewPersonalBest = 1;
        h.host.replace(new FrmSyuuryou(h.context, h.evaluationParts()));
        h.processEvents();
        save(h, "evaluation-congratulation");
        FrmSyuuryouTestPeer::Timer1_Timer(*h.currentAs<FrmSyuuryou>());
        save(h, "evaluation-buttons");
    }
    {
        ScreenHarness h;
        h.state.Criteria.OveruseRunLimit[3] = 3;
        for (int i = 0; i < 5; ++i)
            h.appendRecord(3, 10);
        h.state.session.CurrentLevel = 3;
        h.state.outcome.RecordedTime = 10;
        h.state.outcome.NewOverallBest = 1;
        h.host.replace(new FrmSyuuryou(h.context, h.evaluationParts()));
        h.processEvents();
        FrmSyuuryouTestPeer::Timer1_Timer(*h.currentAs<FrmSyuuryou>());
        save(h, "evaluation-overused");
    }
    {
        ScreenHarness h;
        h.appendRecord(2, kNoTime);
        h.state.session.CurrentLevel = 2;
        h.state.outcome.RecordedTime = kNoTime;
        h.state.outcome.TimedOut = 1;
        h.host.replace(new FrmSyuuryou(h.context, h.evaluationParts()));
        h.processEvents();
        FrmSyuuryouTestPeer::Timer1_Timer(*h.currentAs<FrmSyuuryou>());
        save(h, "evaluation-timeout");
    }
}

} // namespace

TEST(ByHand, DrillAndEvaluationScreens) {
    if (screenshotFolder().isEmpty())
        GTEST_SKIP() << "set ZANFOLIO_SCREENSHOT_DIR to render the screens";
    drillScreens();
    evaluationScreens();
}
