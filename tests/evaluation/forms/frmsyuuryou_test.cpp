// The evaluation screen over a results file that holds the run just recorded: what it shows,
// the order of its sounds, what its timer offers, and where its buttons lead.
//
// Criteria of the harness: standard 40 s, minimum line 60 s, 30 points and 5 runs within 7 days
// to clear, multiplier 1; the target level is 5. A run of 10 s earns Int(50 × 0.75³ + 5) = 26.

#include "drill/forms/mainfrm.h"
#include "drill/forms/startrun.h"
#include "evaluation/forms/frmsyuuryou.h"
#include "evaluation/forms/frmsyuuryoupeer.h"
#include "support/control.h"
#include "support/latepaints.h"
#include "support/screenharness.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

class EvaluationScreenTest : public ::testing::Test {
  protected:
    EvaluationScreenTest() {
        h.context.navigate.showResultsMenu = [this] { ++menus; };
        h.context.navigate.startRun = [this] {
            ++runs;
            StartRun(h.context, h.drillParts());
        };
    }

    // The screen after a run of `seconds` on `level`, recorded as the last of `runsToday`;
    // `loaded` sees the screen between its load and its activation.
    FrmSyuuryou* evaluate(int level, int seconds, int runsToday = 1,
                          const std::function<void(FrmSyuuryou&)>& loaded = {}) {
        for (int i = 0; i < runsToday; ++i)
            h.appendRecord(level, seconds);
        h.state.session.CurrentLevel = level;
        h.state.outcome.RecordedTime = seconds;
        h.state.run.RunFinished = 1;
        h.state.run.RunEnding = 1;
        h.state.run.CorrectCount = 10;
        h.host.showWaitNotice();
        auto* screen = new FrmSyuuryou(h.context, h.evaluationParts());
        if (loaded)
            loaded(*screen);
        h.host.replace(screen);
        h.processEvents();
        return h.currentAs<FrmSyuuryou>();
    }
    template <class W = QLabel> W* control(const char* name) const {
        return zanfolio::testing::control<W>(h.host.current(), name);
    }
    QString text(const char* name) const { return control(name)->text(); }
    bool shown(const char* name) const { return control<QWidget>(name)->isVisible(); }

    ScreenHarness h;
    int menus = 0;
    int runs = 0;
};

TEST_F(EvaluationScreenTest, FirstClearingOfTheTargetLevelPlaysTheRecordThenThePass) {
    h.state.outcome.NewPersonalBest = 1;
    h.state.outcome.ClearedBefore = 0;
    FrmSyuuryou* f = evaluate(5, 10, 5);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(h.sound.commands, (QStringList{playCommandOf(h, kPersonalBestSoundFile),
                                             playCommandOf(h, QStringLiteral("合格"))}));
    EXPECT_EQ(text("Label20"), QStringLiteral("新記録おめでとう"));
    EXPECT_EQ(text("Label19"), QStringLiteral("獲得ポイント：26点×1→26点"));
    EXPECT_EQ(text("Label18"), QStringLiteral("今の成績：10秒"));
    EXPECT_EQ(text("Label13"), QStringLiteral(" (このレベル　5回目)"));
    EXPECT_EQ(text("Label14"), QStringLiteral("（5回目)"));
    EXPECT_EQ(text("Label15"), QStringLiteral("Zanfolio"));
    EXPECT_TRUE(shown("Label2"));
    EXPECT_TRUE(shown("Picture1"));
    EXPECT_EQ(text("Label1"), QStringLiteral("目標レベルクリア。おめでとう！"));
    EXPECT_FALSE(shown("Command4") || shown("Command5")) << "the buttons wait for the timer";
    EXPECT_EQ(h.state.outcome.NewPersonalBest, 0) << "the screen consumes the flag";
    EXPECT_FALSE(h.host.waitNoticeVisible());

    FrmSyuuryouTestPeer::Timer1_Timer(*f);
    EXPECT_FALSE(shown("Picture1"));
    EXPECT_TRUE(shown("Command4") && shown("Command5"));
    EXPECT_EQ(h.host.focusWidget(), control<QWidget>("Command4"));
    EXPECT_EQ(text("Label2"), QStringLiteral("このレベルクリア"));

    f->activate(); // activated again: nothing is played twice
    EXPECT_EQ(h.sound.commands.size(), 2);
}

// A record sound plays to its end (a fanfare lasts seconds): the record message must be on the
// screen before it starts, also where the event loop paints late.
struct RecordCase {
    const char* name;
    int newPersonalBest;
    int newOverallBest;
    QString message;
    QString soundFile;
};
void PrintTo(const RecordCase& c, std::ostream* os) {
    *os << c.name;
}

class RecordMessageTest : public EvaluationScreenTest,
                          public ::testing::WithParamInterface<RecordCase> {};

TEST_P(RecordMessageTest, IsOnTheScreenBeforeTheRecordSoundPlays) {
    const RecordCase& c = GetParam();
    h.state.outcome.NewPersonalBest = c.newPersonalBest;
    h.state.outcome.NewOverallBest = c.newOverallBest;
    std::unique_ptr<LatePaints> late;
    int played = 0;
    bool onScreenWhilePlaying = false;
    h.device.onPlay = [&](const QString& command) {
        if (command != playCommandOf(h, c.soundFile))
            return;
        ++played;
        QLabel* message = control("Label20");
        onScreenWhilePlaying = message->isVisible() && message->text() == c.message &&
                               showsAsItIsNow(h.host, *message);
        h.snapshot(QStringLiteral("evaluation-record-sound-") + QString::fromLatin1(c.name));
    };
    evaluate(2, 30, 1, [&](FrmSyuuryou& screen) {
        late = std::make_unique<LatePaints>(
            h.host, *zanfolio::testing::control<QWidget>(&screen, "Label20"));
    });
    late->release();
    EXPECT_EQ(played, 1);
    EXPECT_TRUE(onScreenWhilePlaying);
}

INSTANTIATE_TEST_SUITE_P(
    Records, RecordMessageTest,
    ::testing::Values(RecordCase{"PersonalBest", 1, 0, QStringLiteral("新記録おめでとう"),
                                 kPersonalBestSoundFile},
                      RecordCase{"OverallBest", 1, 1, QStringLiteral("！！！最高新記録！！！"),
                                 QStringLiteral("最高1")}),
    [](const ::testing::TestParamInfo<RecordCase>& info) { return info.param.name; });

// While the sounds play the pupil is asked to wait, and the notice that says so hides nothing
// the screen has to say: it overlaps no result, whichever results are shown.
struct NoticeCase {
    const char* name;
    int level;
    int seconds;
    int runsToday;
    int newPersonalBest;
    int newOverallBest;
    int sounds;
};
void PrintTo(const NoticeCase& c, std::ostream* os) {
    *os << c.name;
}

class WaitNoticeTest : public EvaluationScreenTest,
                       public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(WaitNoticeTest, HidesNoResultWhileTheSoundsPlay) {
    const NoticeCase& c = GetParam();
    const char* results[] = {"Label15", "Label16", "Label17", "Label18",  "Label19",  "Label13",
                             "Label14", "Label20", "Label2",  "Picture1", "Command4", "Command5"};
    h.state.outcome.NewPersonalBest = c.newPersonalBest;
    h.state.outcome.NewOverallBest = c.newOverallBest;
    h.state.outcome.ClearedBefore = 0;
    // The host's notice and any of the screen's own.
    auto visibleNotices = [this] {
        QList<QWidget*> notices;
        for (QWidget* notice :
             {h.host.findChild<QWidget*>(QStringLiteral("BASEFRM")),
              h.host.current()->findChild<QWidget*>(QStringLiteral("waitNotice"))})
            if (notice && notice->isVisible())
                notices << notice;
        return notices;
    };
    int played = 0;
    QStringList hidden;
    h.device.onPlay = [&](const QString&) {
        ++played;
        const QList<QWidget*> notices = visibleNotices();
        if (notices.isEmpty())
            hidden << QStringLiteral("(no notice shown)");
        for (QWidget* notice : notices)
            for (const char* name : results) {
                QWidget* result = control<QWidget>(name);
                if (result->isVisible() &&
                    placeInWindow(*notice).intersects(placeInWindow(*result)))
                    hidden << QString::fromLatin1(name);
            }
        h.snapshot(
            QStringLiteral("evaluation-notice-%1-%2").arg(QString::fromLatin1(c.name)).arg(played));
    };
    ASSERT_NE(evaluate(c.level, c.seconds, c.runsToday), nullptr);
    EXPECT_EQ(played, c.sounds);
    EXPECT_TRUE(hidden.isEmpty()) << hidden.join(u' ').toStdString();
    EXPECT_TRUE(visibleNotices().isEmpty()) << "gone once the sounds end";
}

// Level 5 is the target level: five runs clear it, with the congratulation and the badge.
INSTANTIATE_TEST_SUITE_P(
    Outcomes, WaitNoticeTest,
    ::testing::Values(NoticeCase{"TargetLevelClearedWithAPersonalBest", 5, 10, 5, 1, 0, 2},
                      NoticeCase{"OverallBest", 2, 30, 1, 1, 1, 1},
                      NoticeCase{"NoRecordWithinTheMinimumLine", 3, 50, 1, 0, 0, 1}),
    [](const ::testing::TestParamInfo<NoticeCase>& info) { return info.param.name; });

TEST_F(EvaluationScreenTest, ClearedAndOverusedLevelBelowTheTargetOffersOnlyTheMenu) {
    h.state.Criteria.OveruseRunLimit[3] = 3;
    FrmSyuuryou* f = evaluate(3, 10, 5);
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(shown("Label20"));
    EXPECT_FALSE(shown("Picture1")) << "only the target level congratulates";
    EXPECT_EQ(h.sound.commands, QStringList{playCommandOf(h, kFailSoundFile)})
        << "no record, within the minimum line";
    FrmSyuuryouTestPeer::Timer1_Timer(*f);
    EXPECT_TRUE(shown("Command4"));
    EXPECT_FALSE(shown("Command5"));
    EXPECT_TRUE(shown("Label2"));
    EXPECT_EQ(text("Label2"), QStringLiteral("次のレベルへ進みましょう"));
    QTest::mouseClick(control<QPushButton>("Command4"), Qt::LeftButton);
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(runs, 0);
}

TEST_F(EvaluationScreenTest, OnceMoreStartsTheSameLevelAgainOnce) {
    FrmSyuuryou* f = evaluate(2, 50);
    ASSERT_NE(f, nullptr);
    FrmSyuuryouTestPeer::Timer1_Timer(*f);
    auto* again = control<QPushButton>("Command5");
    ASSERT_TRUE(again->isVisible());
    QTest::mouseClick(again, Qt::LeftButton);
    FrmSyuuryouTestPeer::Command5_Click(*f); // a second click before the drill is up
    h.processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(menus, 0);
    ASSERT_NE(h.currentAs<MainFrm>(), nullptr);
    EXPECT_EQ(h.state.session.CurrentLevel, 2);
    EXPECT_EQ(text("sLabel8"), QStringLiteral("引き算１"));
    EXPECT_EQ(h.state.run.CorrectCount, 0);
    EXPECT_EQ(h.state.run.RunFinished + h.state.run.RunEnding + h.state.outcome.TimedOut, 0);
    EXPECT_EQ(text("sLabel9"), QStringLiteral("10"));
    EXPECT_EQ(text("sLabel11"), QStringLiteral("2")) << "the second run of the day on this level";
    EXPECT_FALSE(h.host.waitNoticeVisible());
}

} // namespace
