// The drill form driven as a pupil drives it: keys on the form, the run clock ticked with the
// fake clock, the sounds recorded, the results file read back.
//
// Unless a test scripts its own draws, every draw is 0.5: each problem of level 1 is then
// 0.5 ＋ 0.5 (answer 1, typed "1  ": the first space adds the point, the second hands it in).

#include "drill/forms/mainfrm.h"
#include "drill/forms/mainfrmpeer.h"
#include "drill/forms/startrun.h"
#include "drill/misconceptions.h"
#include "evaluation/forms/frmsyuuryou.h"
#include "frame/datafiles.h"
#include "frame/daycount.h"
#include "frame/platformfile.h"
#include "results/answersfile.h"
#include "results/mistakesfile.h"
#include "results/pendingmistakes.h"
#include "results/pendingruns.h"
#include "support/control.h"
#include "support/faultystore.h"
#include "support/latepaints.h"
#include "support/screenharness.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>
#include <random>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

class DrillScreenTest : public ::testing::Test {
  protected:
    DrillScreenTest() {
        h.random.fallback = 0.5f;
        h.context.navigate.showEvaluation = [this] {
            ++evaluations;
            h.host.replace(new FrmSyuuryou(h.context, h.evaluationParts()));
        };
        h.context.navigate.showResultsMenu = [this] { ++menus; };
    }

    // `store`: where the run's records go (the test installation's folder without it).
    MainFrm* start(int level = 1, ResultsStore* store = nullptr) {
        h.state.session.CurrentLevel = level;
        StartRun(h.context, store ? h.drillParts(*store) : h.drillParts());
        h.processEvents();
        return h.currentAs<MainFrm>();
    }
    MainFrm* form() const { return h.currentAs<MainFrm>(); }
    template <class W = QLabel> W* control(const char* name) const {
        return zanfolio::testing::control<W>(h.host.current(), name);
    }
    QString text(const char* name) const { return control(name)->text(); }
    bool shown(const char* name) const { return control<QWidget>(name)->isVisible(); }
    int width(const char* name) const { return control<QWidget>(name)->width(); }
    void type(const QString& keys) { QTest::keyClicks(form(), keys); }
    // Moves the fake clock on and lets the run clock tick.
    void tick(qint64 ms) {
        h.clock.advanceMs(ms);
        MainFrmTestPeer::sTimer1_Timer(*form());
    }
    void answerCorrectly(int times) {
        for (int i = 0; i < times; ++i)
            type(QStringLiteral("1  "));
    }
    // Lets the drill's wait before the evaluation tick once, at once when it does not run.
    void tickWaitTimer() {
        QTimer* timer = form() ? form()->findChild<QTimer*>(QStringLiteral("waitTimer")) : nullptr;
        if (!timer || !timer->isActive())
            return;
        QSignalSpy ticks(timer, &QTimer::timeout);
        EXPECT_TRUE(ticks.wait(5000)) << "the wait timer does not tick";
        h.processEvents();
    }
    // The second the drill waits before the evaluation.
    void waitForEvaluation() {
        h.clock.advanceMs(1000);
        tickWaitTimer();
    }
    // The lines of the mistakes file (none when it is missing).
    std::vector<MistakeRecord> mistakes() const {
        Result<MistakesRead> read = readMistakes(mistakesFile(h.state.installation));
        EXPECT_TRUE(read.ok());
        return read ? read->records : std::vector<MistakeRecord>{};
    }
    // The lines of the answers file (none when it is missing).
    std::vector<AnswerRecord> answers() const {
        Result<AnswersRead> read = readAnswersSince(answersFile(h.state.installation), QDate());
        EXPECT_TRUE(read.ok());
        return read ? read->records : std::vector<AnswerRecord>{};
    }
    std::vector<MistakeRecord> keptMistakes() const {
        Result<std::vector<MistakeRecord>> kept =
            PendingMistakes(mistakesPendingFile(h.state.installation)).load();
        EXPECT_TRUE(kept.ok());
        return kept ? *kept : std::vector<MistakeRecord>{};
    }
    // A run of level 1 with two wrong answers: 0.07 ＋ 3 answered "0.1" (the digits lined up
    // at the right), then 0.5 ＋ 0.5 answered "10" (the point one place off), then ten
    // correct answers.
    void runWithTwoWrongAnswers(ResultsStore* store = nullptr) {
        for (float r : {0.7f, 0.1f, 0.25f, 0.9f}) // 0.07 ＋ 3
            h.random.push(r);
        start(1, store);
        tick(3000);
        type(QStringLiteral("0.1 "));
        type(QStringLiteral("++"));
        tick(3000);
        type(QStringLiteral("10  "));
        type(QStringLiteral("++"));
        answerCorrectly(10);
    }
    QStringList sounds() const { return h.sound.commands; }
    QString sound(const QString& file) const { return playCommandOf(h, file); }

    ScreenHarness h;
    int evaluations = 0;
    int menus = 0;
};

TEST_F(DrillScreenTest, TenCorrectAnswersAreRecordedOnceAndEndOnTheEvaluation) {
    for (float r : {0.7f, 0.1f, 0.25f, 0.9f}) // 0.07 ＋ 3
        h.random.push(r);
    MainFrm* f = start();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(text("qLabel1"), QStringLiteral("0.07"));
    EXPECT_EQ(text("Label6"), QStringLiteral("＋"));
    EXPECT_EQ(text("qlabel2"), QStringLiteral("3"));
    EXPECT_EQ(text("Label1"), QStringLiteral("  0.07"));
    EXPECT_EQ(text("Label9"), QStringLiteral("＋"));
    EXPECT_EQ(text("Label5"), QStringLiteral("  3.   "));
    EXPECT_EQ(text("sLabel2"), QStringLiteral("Zanfolio"));
    EXPECT_DOUBLE_EQ(control("sLabel2")->font().pointSizeF(), 16.8);
    EXPECT_EQ(text("sLabel7"), QStringLiteral("山田　花子"));
    EXPECT_EQ(text("sLabel14"), QStringLiteral("テスト塾"));
    EXPECT_EQ(text("sLabel8"), QStringLiteral("足し算１"));
    EXPECT_EQ(text("sLabel9"), QStringLiteral("10"));
    EXPECT_EQ(text("sLabel11"), QStringLiteral("1"));
    EXPECT_EQ(text("sLabel12"), QStringLiteral("1"));
    EXPECT_EQ(text("sLabel13"), QStringLiteral("5"));
    EXPECT_FALSE(shown("Label1"));
    MainFrmTestPeer::Timer1_Timer(*f); // the hint
    EXPECT_TRUE(shown("Label1") && shown("Label5") && shown("Shape2") && shown("Shape3"));

    tick(4500);
    type(QStringLiteral("3.07 "));
    EXPECT_EQ(text("sLabel9"), QStringLiteral("9"));
    EXPECT_EQ(text("qLabel1"), QStringLiteral("0.5"));
    EXPECT_FALSE(shown("Label1")) << "a new problem hides the hint";
    for (int i = 2; i <= 10; ++i) {
        tick(4500);
        if (i == 5) { // the keypad types the same answer
            QTest::keyClick(f, Qt::Key_1, Qt::KeypadModifier);
            QTest::keyClick(f, Qt::Key_Space);
            QTest::keyClick(f, Qt::Key_Space);
        } else {
            answerCorrectly(1);
        }
    }
    EXPECT_EQ(h.state.run.CorrectCount, 10);
    EXPECT_EQ(text("sLabel10"), QStringLiteral("45"));
    EXPECT_TRUE(shown("sPicture2") && shown("lblsss1"));
    EXPECT_FALSE(shown("lblsss2"));
    EXPECT_TRUE(h.host.waitNoticeVisible());
    answerCorrectly(2); // keys after the end count for nothing

    std::vector<ResultsRecord> records = h.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].pupil, ScreenHarness::kPupil);
    EXPECT_EQ(records[0].level, 1);
    EXPECT_EQ(records[0].time, 45);
    EXPECT_EQ(records[0].schoolCodeText(), QStringLiteral("00123"));
    EXPECT_EQ(records[0].date, dayCount(h.clock.now().date()));
    EXPECT_EQ(records[0].timeOfDay, dayFraction(QTime(10, 0, 45)));

    EXPECT_EQ(evaluations, 0) << "the evaluation comes a second later";
    tickWaitTimer();
    EXPECT_EQ(evaluations, 0);
    waitForEvaluation();
    ASSERT_NE(h.currentAs<FrmSyuuryou>(), nullptr);
    EXPECT_EQ(text("Label18"), QStringLiteral("今の成績：45秒"));
    EXPECT_EQ(text("Label19"), QStringLiteral("獲得ポイント：4点×1→4点"));
    EXPECT_EQ(text("Label13"), QStringLiteral(" (このレベル　1回目)"));
    EXPECT_EQ(text("Label14"), QStringLiteral("（1回目)"));
    EXPECT_EQ(text("Label16"), QStringLiteral("足し算１"));
    EXPECT_EQ(text("Label17"), QStringLiteral("山田　花子"));
    EXPECT_TRUE(shown("Label20"));
    EXPECT_EQ(text("Label20"), QStringLiteral("！！！最高新記録！！！"));
    EXPECT_FALSE(h.host.waitNoticeVisible());
    QStringList expected;
    for (int i = 0; i < 10; ++i)
        expected << sound(kCorrectSoundFile);
    expected << sound(QStringLiteral("最高1"));
    EXPECT_EQ(sounds(), expected);
    EXPECT_EQ(h.records().size(), 1u);
    EXPECT_EQ(evaluations, 1);
}

TEST_F(DrillScreenTest, WrongAnswerShowsTheCorrectionAndWantsTwoPlusInARow) {
    start();
    answerCorrectly(1);
    type(QStringLiteral("2  "));
    EXPECT_EQ(sounds().last(), sound(kWrongSoundFile));
    EXPECT_TRUE(shown("seitouLabel"));
    EXPECT_EQ(text("seitouLabel"), QStringLiteral("1"));
    EXPECT_TRUE(shown("Label1") && shown("Shape2"));
    EXPECT_TRUE(shown("Commandkakunin2"));
    EXPECT_EQ(text("Commandkakunin2"), QStringLiteral("\"+\"を２回押しなさい"));
    EXPECT_EQ(h.state.run.CorrectCount, 0);
    EXPECT_EQ(text("sLabel9"), QStringLiteral("10"));

    const int drawsBefore = h.random.taken;
    type(QStringLiteral("+5+"));
    QTest::keyClick(form(), Qt::Key_Shift); // a modifier alone is no key press
    EXPECT_TRUE(shown("Commandkakunin2")) << "the 5 started the count again";
    EXPECT_EQ(text("inputLabel"), QStringLiteral("2.")) << "nothing is typed meanwhile";
    EXPECT_EQ(h.random.taken, drawsBefore);
    type(QStringLiteral("+"));
    EXPECT_FALSE(shown("Commandkakunin2"));
    EXPECT_FALSE(shown("Commandkakunin"));
    EXPECT_FALSE(shown("seitouLabel"));
    EXPECT_EQ(text("inputLabel"), QString());
    EXPECT_GT(h.random.taken, drawsBefore) << "a new problem";

    // A wrong answer with nothing to lose leaves the count at 0.
    type(QStringLiteral("3  "));
    EXPECT_EQ(h.state.run.CorrectCount, 0);
    EXPECT_EQ(text("sLabel9"), QStringLiteral("10"));
    // "確認" acknowledges like the two "+".
    QTest::mouseClick(control<QPushButton>("Commandkakunin"), Qt::LeftButton);
    EXPECT_FALSE(shown("Commandkakunin2"));
    EXPECT_EQ(h.state.run.ConfirmState, 0);
    // With nothing to acknowledge, the button skips no problem.
    const int drawsAfter = h.random.taken;
    MainFrmTestPeer::Commandkakunin_Click(*form());
    EXPECT_EQ(h.random.taken, drawsAfter);
    answerCorrectly(1);
    EXPECT_EQ(h.state.run.CorrectCount, 1);
}

// The wrong-answer sound blocks the program for its whole length (seconds): the correction and
// the column layout must be on the screen before it starts, also where the event loop paints
// late.
TEST_F(DrillScreenTest, CorrectionIsOnTheScreenBeforeTheWrongSoundPlays) {
    start();
    type(QStringLiteral("2 "));
    LatePaints late(h.host, *control<QWidget>("seitouLabel"));
    QStringList notOnScreen;
    int played = 0;
    h.device.onPlay = [&](const QString& command) {
        if (command != sound(kWrongSoundFile))
            return;
        ++played;
        for (const char* name : {"seitouLabel", "Shape3", "Label1", "Label5", "Label9", "Shape2"}) {
            QWidget* w = control<QWidget>(name);
            if (!w->isVisible() || !showsAsItIsNow(h.host, *w))
                notOnScreen << QString::fromLatin1(name);
        }
        h.snapshot(QStringLiteral("drill-wrong-answer-sound"));
    };
    type(QStringLiteral(" "));
    late.release();
    ASSERT_EQ(played, 1);
    EXPECT_TRUE(notOnScreen.isEmpty()) << notOnScreen.join(u' ').toStdString();
}

TEST_F(DrillScreenTest, KeysReachTheDrillWhereverTheFocusIsAndTheNinthIsRefused) {
    start();
    QTest::keyClick(&h.host, '1'); // no control has the focus: the window gets the key
    QTest::keyClick(control<QPushButton>("Commandkakunin"), '2');
    QTest::keyClick(form(), Qt::Key_3, Qt::KeypadModifier);
    EXPECT_EQ(text("inputLabel"), QStringLiteral("123"));
    type(QStringLiteral("45678"));
    h.sound.commands.clear();
    type(QStringLiteral("9"));
    EXPECT_EQ(text("inputLabel"), QStringLiteral("12345678"));
    EXPECT_EQ(sounds(), QStringList{sound(QStringLiteral("警告1"))});
    QTest::keyClick(form(), Qt::Key_Backspace);
    EXPECT_EQ(text("inputLabel"), QStringLiteral("1234567"));
}

TEST_F(DrillScreenTest, TimeOutIsRecordedAs99999AndEvaluatedWithoutATime) {
    start(); // minimum line 60 s: the time-out at 300 s
    EXPECT_EQ(h.state.run.TimeoutSeconds, 300);
    EXPECT_EQ(width("sShape5"), MainFrm::kBarWidth);
    EXPECT_EQ(width("sShape3"), 33) << "the standard time, 40 of 300 seconds";
    EXPECT_EQ(width("sShape4"), MainFrm::kBarWidth / 5) << "the minimum line, a fifth";
    type(QStringLiteral("7"));

    tick(299000);
    EXPECT_EQ(h.state.outcome.TimedOut, 0);
    EXPECT_EQ(text("sLabel10"), QStringLiteral("299"));
    EXPECT_EQ(width("sShape2"), 249);
    tick(1000);
    EXPECT_EQ(h.state.outcome.TimedOut, 1);
    EXPECT_EQ(width("sShape2"), width("sShape5"));
    EXPECT_TRUE(shown("sPicture2") && shown("lblsss2"));
    EXPECT_FALSE(shown("lblsss1"));
    EXPECT_EQ(text("lblsss2"), QStringLiteral("時間切れ"));
    type(QStringLiteral("  "));
    EXPECT_EQ(text("inputLabel"), QStringLiteral("7")) << "keys are ignored after the time-out";
    tick(1000); // a tick on its way changes nothing
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].time, 99999);

    waitForEvaluation();
    ASSERT_NE(h.currentAs<FrmSyuuryou>(), nullptr);
    EXPECT_EQ(text("Label20"), QStringLiteral("時間切れ"));
    EXPECT_EQ(text("Label18"), QStringLiteral("記録なし"));
    EXPECT_EQ(text("Label19"), QStringLiteral("獲得ポイント：0点×1→0点"));
    EXPECT_TRUE(sounds().isEmpty());
}

// The time-out tick that comes while an answer is being judged (the sound blocks the program,
// so the tick is handled inside the judging) waits for a later tick.
TEST_F(DrillScreenTest, TimeOutTickDuringJudgingWaitsForTheNextTick) {
    start();
    h.device.onPlay = [this](const QString&) {
        h.device.onPlay = nullptr;
        tick(300000);
    };
    answerCorrectly(1);
    EXPECT_EQ(h.state.outcome.TimedOut, 0);
    EXPECT_EQ(h.state.run.CorrectCount, 1);
    EXPECT_EQ(width("sShape2"), width("sShape5"));
    EXPECT_TRUE(h.records().empty());
    tick(0);
    EXPECT_EQ(h.state.outcome.TimedOut, 1);
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].time, 99999);
}

TEST_F(DrillScreenTest, LastAnswerJudgedDuringTheTimeOutTickEndsTheRunNormally) {
    start();
    answerCorrectly(9);
    h.device.onPlay = [this](const QString&) {
        h.device.onPlay = nullptr;
        tick(300000);
    };
    answerCorrectly(1);
    EXPECT_EQ(h.state.outcome.TimedOut, 0);
    EXPECT_EQ(h.state.run.RunFinished, 1);
    EXPECT_TRUE(shown("lblsss1"));
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].time, 300);
}

TEST_F(DrillScreenTest, PracticeLevelGoesBackToTheMenuWithoutARecord) {
    h.state.program.LevelNames[1] = QStringLiteral("足し算練習");
    start();
    EXPECT_EQ(text("sLabel11"), QStringLiteral("－"));
    EXPECT_EQ(text("sLabel12"), QStringLiteral("－"));
    answerCorrectly(10);
    EXPECT_EQ(menus, 1);
    EXPECT_TRUE(h.host.waitNoticeVisible());
    waitForEvaluation();
    EXPECT_EQ(evaluations, 0);
    EXPECT_TRUE(h.records().empty());
    EXPECT_EQ(h.state.outcome.RecordedTime, 0);
}

TEST_F(DrillScreenTest, FourthFailedAnswerSoundEndsTheProgramWithTheMessage) {
    start();
    h.sound.fail(4);
    answerCorrectly(3); // three failures are tolerated
    EXPECT_EQ(h.state.run.CorrectCount, 3);
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_FALSE(h.host.ending());
    type(QStringLiteral("2  ")); // the fourth, on the wrong-answer sound
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].title, QStringLiteral("音声エラー"));
    EXPECT_EQ(h.dialogs.shown[0].text,
              QStringLiteral("音声がでません。先生を呼びなさい。\r\n装置が見つかりません"));
    EXPECT_TRUE(h.host.ending());
    h.pump();
    EXPECT_TRUE(h.records().empty());
    EXPECT_EQ(evaluations, 0);
}

TEST_F(DrillScreenTest, ActivationInMidRunRestartsTheClockAndKeepsTheCount) {
    MainFrm* f = start();
    tick(20000);
    answerCorrectly(3);
    const int draws = h.random.taken;
    h.clock.advanceMs(5000);
    f->activate();
    EXPECT_EQ(text("sLabel10"), QStringLiteral("0"));
    EXPECT_EQ(width("sShape2"), 0);
    EXPECT_GT(h.random.taken, draws) << "a new problem";
    EXPECT_EQ(h.state.run.CorrectCount, 3);
    EXPECT_EQ(text("sLabel9"), QStringLiteral("7"));
    tick(2000);
    EXPECT_EQ(text("sLabel10"), QStringLiteral("2"));
    answerCorrectly(7);
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].time, 2);
    f->activate(); // during the hand-off: nothing starts again
    EXPECT_EQ(h.state.run.RunEnding, 1);
    tick(400000);
    EXPECT_EQ(h.records().size(), 1u);
}

TEST_F(DrillScreenTest, RecordWaitsWhileAnotherComputerHoldsTheFile) {
    Result<PlatformFile> opened =
        PlatformFile::open(h.install.resultsPath(), PlatformFile::Mode::ReadWriteCreate);
    ASSERT_TRUE(opened.ok());
    std::optional<PlatformFile> holder(std::move(*opened));
    ASSERT_TRUE(holder->tryLock(0, ResultsRecord::kSize).value());
    bool noticeShown = false;
    h.waiter.onWait = [&](int n) {
        noticeShown = noticeShown || (shown("recordNotice") && shown("lblsss1"));
        if (n == 3)
            holder.reset(); // the other computer is done
    };
    start();
    answerCorrectly(10);
    EXPECT_TRUE(noticeShown);
    EXPECT_EQ(h.waiter.waits.size(), 3u);
    EXPECT_EQ(h.records().size(), 1u);
    EXPECT_FALSE(shown("recordNotice"));
    waitForEvaluation();
    EXPECT_EQ(evaluations, 1);
}

TEST_F(DrillScreenTest, ClosingTheWindowWhileTheRecordWaitsEndsTheProgramAndKeepsTheRun) {
    Result<PlatformFile> holder =
        PlatformFile::open(h.install.resultsPath(), PlatformFile::Mode::ReadWriteCreate);
    ASSERT_TRUE(holder.ok());
    ASSERT_TRUE(holder->tryLock(0, ResultsRecord::kSize).value());
    // The program's waiter stops once the program ends.
    h.host.onEnd = [this] { h.waiter.giveUpAfter = 1; };
    h.waiter.onWait = [this](int n) {
        if (n == 4)
            h.host.close(); // the pupil closes the window
    };
    start();
    answerCorrectly(10);
    EXPECT_TRUE(h.host.ending());
    EXPECT_LE(h.waiter.waits.size(), 6u);
    EXPECT_TRUE(h.records().empty());
    PendingRuns pending(pendingRunsFile(h.state.installation));
    Result<std::vector<ResultsRecord>> kept = pending.load();
    ASSERT_TRUE(kept.ok());
    ASSERT_EQ(kept->size(), 1u);
    EXPECT_EQ(kept->front().pupil, ScreenHarness::kPupil);
    EXPECT_TRUE(h.dialogs.shown.empty()) << "no message box once the program ends";
}

TEST_F(DrillScreenTest, ARunTheFolderCannotTakeIsKeptAndThePupilIsTold) {
    // The shared folder has gone away since the program started.
    const QString folder = h.install.programDataDir();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    start();
    answerCorrectly(10);
    ASSERT_FALSE(h.dialogs.shown.empty());
    EXPECT_TRUE(
        h.dialogs.shown.back().text.contains(QStringLiteral("このコンピュータに保管しました")));
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(evaluations, 0);
    QDir().mkpath(folder);
    PendingRuns pending(pendingRunsFile(h.state.installation));
    ResultsFile file(h.install.resultsPath(), h.waiter);
    Result<int> delivered = pending.deliver(file);
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(*delivered, 1);
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].level, 1);
}

// Wrong answers that can be neither written nor kept are lost: the pupil's teacher must hear
// of it, as of lost answers.
TEST_F(DrillScreenTest, WrongAnswersThatCanBeNeitherWrittenNorKeptAreSaid) {
    FaultyStore store(h.store);
    store.mistakesFail = makeError(QString(), QStringLiteral("このコンピュータに保管できません。"));
    runWithTwoWrongAnswers(&store);
    ASSERT_FALSE(h.dialogs.shown.empty());
    EXPECT_EQ(h.dialogs.shown.back().text, QStringLiteral("このコンピュータに保管できません。"));
    ASSERT_EQ(h.records().size(), 1u) << "the run itself is recorded";
}

TEST_F(DrillScreenTest, NoMinimumLineMeansNoTimeOutAndMidnightKeepsCounting) {
    h.state.Criteria.MinimumLineTime[1] = 0;
    h.clock.set(QDateTime(QDate(2026, 12, 9), QTime(23, 59, 30)));
    h.state.session.SignInTime = secondsSinceMidnight(QDateTime(QDate(2026, 12, 9), QTime(23, 50)));
    MainFrm* f = start();
    EXPECT_EQ(h.state.run.TimeoutSeconds, 0);
    EXPECT_FALSE(shown("sShape4"));
    EXPECT_EQ(width("sShape3"), 33) << "40 s on the bar's own scale of 300 s";
    tick(45000);
    EXPECT_EQ(text("sLabel10"), QStringLiteral("45"));
    MainFrmTestPeer::sTimer2_Timer(*f);
    EXPECT_EQ(text("sLabel13"), QStringLiteral("10"));
    tick(10000000);
    EXPECT_EQ(h.state.outcome.TimedOut, 0);
    EXPECT_EQ(width("sShape2"), width("sShape5"));
    answerCorrectly(10);
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].time, 10045);
}

// The wrong answers of a recorded run go to the mistakes file once its record is written,
// each with the problem, the text as typed and why it is wrong.
TEST_F(DrillScreenTest, WrongAnswersOfARunGoToTheMistakesFileAfterItsRecord) {
    // Another computer writes to the mistakes file as this run ends: the wait shows whether
    // the run's record was already in.
    Result<PlatformFile> opened =
        PlatformFile::open(mistakesFile(h.state.installation), PlatformFile::Mode::ReadWriteCreate);
    ASSERT_TRUE(opened.ok());
    std::optional<PlatformFile> holder(std::move(*opened));
    ASSERT_TRUE(holder->tryLock(0, 3).value());
    std::optional<size_t> recordsAtTheWait;
    h.waiter.onWait = [&](int) {
        if (!recordsAtTheWait)
            recordsAtTheWait = h.records().size();
        holder.reset();
    };
    runWithTwoWrongAnswers();
    ASSERT_TRUE(recordsAtTheWait.has_value()) << "the mistakes file was written without a wait";
    EXPECT_EQ(*recordsAtTheWait, 1u) << "the run's record comes first";

    ASSERT_EQ(h.records().size(), 1u);
    const std::vector<MistakeRecord> written = mistakes();
    ASSERT_EQ(written.size(), 2u);
    struct Expected {
        const char* first;
        const char* second;
        const char* answer;
        const char* typed;
        MistakeKind kind;
        QTime time;
    };
    const Expected expected[] = {
        {"0.07", "3", "3.07", "0.1", MistakeKind::PlaceAlignment, QTime(10, 0, 3)},
        {"0.5", "0.5", "1", "10.", MistakeKind::PointPosition, QTime(10, 0, 6)},
    };
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const MistakeRecord& m = written[i];
        const Expected& e = expected[i];
        EXPECT_EQ(m.date, QDate(2026, 12, 9));
        EXPECT_EQ(m.time, e.time);
        EXPECT_EQ(m.pupil, ScreenHarness::kPupil);
        EXPECT_EQ(m.level, 1);
        EXPECT_EQ(m.first, QString::fromLatin1(e.first));
        EXPECT_EQ(m.sign, QStringLiteral("＋"));
        EXPECT_EQ(m.second, QString::fromLatin1(e.second));
        EXPECT_EQ(m.answer, QString::fromLatin1(e.answer));
        EXPECT_EQ(m.typed, QString::fromLatin1(e.typed));
        EXPECT_EQ(m.kind, e.kind) << mistakeKindLabel(m.kind).toStdString();
    }
    EXPECT_TRUE(keptMistakes().empty());
    EXPECT_TRUE(h.dialogs.shown.empty());
    waitForEvaluation();
    EXPECT_EQ(evaluations, 1);
}

TEST_F(DrillScreenTest, ARunWithoutWrongAnswersWritesNoMistakes) {
    start();
    answerCorrectly(10);
    EXPECT_EQ(h.records().size(), 1u);
    EXPECT_FALSE(QFile::exists(mistakesFile(h.state.installation)));
    EXPECT_FALSE(QFile::exists(mistakesPendingFile(h.state.installation)));
}

// Wrong answers kept on this computer after an earlier run go in ahead of this run's.
TEST_F(DrillScreenTest, MistakesKeptEarlierGoInAheadOfTheRunsOwn) {
    PendingMistakes pending(mistakesPendingFile(h.state.installation));
    MistakeRecord earlier;
    earlier.date = QDate(2026, 12, 8);
    earlier.time = QTime(16, 0, 1);
    earlier.pupil = 3;
    earlier.level = 2;
    earlier.first = QStringLiteral("0.9");
    earlier.sign = QStringLiteral("－");
    earlier.second = QStringLiteral("0.3");
    earlier.answer = QStringLiteral("0.6");
    earlier.typed = QStringLiteral("1.2");
    earlier.kind = MistakeKind::ReversedOperation;
    ASSERT_TRUE(pending.keep({earlier}, h.waiter).ok());
    runWithTwoWrongAnswers();
    const std::vector<MistakeRecord> written = mistakes();
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[0], earlier);
    EXPECT_EQ(written[1].typed, QStringLiteral("0.1"));
    EXPECT_EQ(written[2].typed, QStringLiteral("10."));
    EXPECT_FALSE(QFile::exists(mistakesPendingFile(h.state.installation)));
}

// A mistakes file that cannot be written costs the run nothing: its record is in, the pupil
// goes on to the evaluation without a word, and the wrong answers wait on this computer.
TEST_F(DrillScreenTest, AMistakesFileThatCannotBeWrittenKeepsTheWrongAnswersAndTheRunGoesOn) {
    ASSERT_TRUE(
        QDir().mkpath(mistakesFile(h.state.installation))); // a folder where the file should be
    runWithTwoWrongAnswers();
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].level, 1);
    EXPECT_TRUE(h.dialogs.shown.empty());
    int waited = 0;
    for (int ms : h.waiter.waits)
        waited += ms;
    EXPECT_LE(waited, 3000) << "the pupil waits a short while at most";
    const std::vector<MistakeRecord> kept = keptMistakes();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].kind, MistakeKind::PlaceAlignment);
    EXPECT_EQ(kept[1].kind, MistakeKind::PointPosition);
    waitForEvaluation();
    EXPECT_EQ(evaluations, 1);
    EXPECT_EQ(menus, 0);
}

// A run the share refuses is kept with its wrong answers; the share is not tried a second
// time for them, and the pupil hears of the run only.
TEST_F(DrillScreenTest, WrongAnswersStayWithARunTheShareRefused) {
    const QString folder = h.install.programDataDir();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    runWithTwoWrongAnswers();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_TRUE(h.dialogs.shown[0].text.contains(QStringLiteral("このコンピュータに保管しました")));
    // The run's own wait is about five seconds; a try at the mistakes file would add more.
    int waited = 0;
    for (int ms : h.waiter.waits)
        waited += ms;
    EXPECT_LT(waited, 6000) << "the share was tried again for the mistakes";
    EXPECT_EQ(keptMistakes().size(), 2u);
    EXPECT_EQ(PendingRuns(pendingRunsFile(h.state.installation)).load()->size(), 1u);
}

TEST_F(DrillScreenTest, APracticeLevelKeepsNoWrongAnswers) {
    h.state.program.LevelNames[1] = QStringLiteral("足し算練習");
    start();
    type(QStringLiteral("2  "));
    type(QStringLiteral("++"));
    answerCorrectly(10);
    EXPECT_EQ(menus, 1);
    EXPECT_FALSE(QFile::exists(mistakesFile(h.state.installation)));
    EXPECT_FALSE(QFile::exists(mistakesPendingFile(h.state.installation)));
}

// A run that times out is recorded, and so are its wrong answers.
TEST_F(DrillScreenTest, WrongAnswersOfATimedOutRunAreWritten) {
    start();
    type(QStringLiteral("0  "));
    tick(300000);
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].time, 99999);
    const std::vector<MistakeRecord> written = mistakes();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].typed, QStringLiteral("0."));
    EXPECT_EQ(written[0].kind, MistakeKind::ReversedOperation); // 0.5 ＋ 0.5 as 0.5 － 0.5
}

// Every answer handed in goes to the answers file after the run's record, right or wrong, with
// the tenths of a second since its problem appeared on the fake clock.
TEST_F(DrillScreenTest, EveryAnswerOfARunGoesToTheAnswersFile) {
    runWithTwoWrongAnswers();
    ASSERT_EQ(h.records().size(), 1u);
    const std::vector<AnswerRecord> written = answers();
    ASSERT_EQ(written.size(), 12u);
    EXPECT_EQ(written[0].first + written[0].sign + written[0].second, QStringLiteral("0.07＋3"));
    EXPECT_EQ(written[0].typed, QStringLiteral("0.1"));
    EXPECT_FALSE(written[0].correct);
    EXPECT_EQ(written[0].kind, MistakeKind::PlaceAlignment);
    EXPECT_EQ(written[0].shown, std::vector<MistakeKind>{MistakeKind::PlaceAlignment});
    EXPECT_EQ(written[0].tenthsOfSeconds, 30);
    EXPECT_EQ(written[1].typed, QStringLiteral("10."));
    EXPECT_EQ(written[1].tenthsOfSeconds, 30);
    int right = 0;
    for (const AnswerRecord& a : written) {
        EXPECT_EQ(a.pupil, ScreenHarness::kPupil);
        EXPECT_EQ(a.level, 1);
        EXPECT_FALSE(a.practice);
        right += a.correct ? 1 : 0;
    }
    EXPECT_EQ(right, 10);
    EXPECT_EQ(written[2].tenthsOfSeconds, 0); // typed at once on the fake clock
    EXPECT_FALSE(QFile::exists(answersPendingFile(h.state.installation)));
}

// A practice level records no run and no wrong answer, but its answers, marked as practice.
TEST_F(DrillScreenTest, APracticeLevelsAnswersAreMarkedAsPractice) {
    h.state.program.LevelNames[1] = QStringLiteral("足し算練習");
    start();
    type(QStringLiteral("2  "));
    type(QStringLiteral("++"));
    answerCorrectly(10);
    EXPECT_EQ(menus, 1);
    EXPECT_TRUE(h.records().empty());
    const std::vector<AnswerRecord> written = answers();
    ASSERT_EQ(written.size(), 11u);
    for (const AnswerRecord& a : written)
        EXPECT_TRUE(a.practice);
    EXPECT_FALSE(written[0].correct);
}

// A timed-out run's answers are written like its wrong answers; an answers file that cannot be
// written keeps them on this computer without a word.
TEST_F(DrillScreenTest, AnswersTheFileCannotTakeAreKeptAndTheRunGoesOn) {
    ASSERT_TRUE(
        QDir().mkpath(answersFile(h.state.installation))); // a folder where the file should be
    start();
    type(QStringLiteral("0  "));
    tick(300000);
    ASSERT_EQ(h.records().size(), 1u);
    EXPECT_TRUE(h.dialogs.shown.empty());
    Result<std::vector<AnswerRecord>> kept =
        PendingAnswers(answersPendingFile(h.state.installation)).load();
    ASSERT_TRUE(kept.ok());
    ASSERT_EQ(kept->size(), 1u);
    EXPECT_EQ((*kept)[0].typed, QStringLiteral("0."));
}

// Aimed practice: problems on which the way of working fails, the column layout from the start,
// the answers kept as practice and no record, back to the menu.
TEST_F(DrillScreenTest, AimedPracticeShowsTheColumnLayoutAndRecordsOnlyPracticeAnswers) {
    std::mt19937 generator(21); // draws enough for ten different aimed problems
    std::uniform_real_distribution<float> uniform(0.0f, 0.999f);
    for (int i = 0; i < 20000; ++i)
        h.random.push(uniform(generator));
    h.state.session.CurrentLevel = 1;
    StartRun(h.context, h.drillParts(), MistakeKind::PlaceAlignment);
    h.processEvents();
    ASSERT_NE(form(), nullptr);
    EXPECT_TRUE(shown("Label1"));
    EXPECT_TRUE(shown("Label5"));
    EXPECT_EQ(text("sLabel11"), QStringLiteral("－"));
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(shown("Label1")) << i;
        // The answer the column layout gives.
        ProblemNumbers p{leadingDecimal(text("qLabel1")).value, text("Label6"),
                         leadingDecimal(text("qlabel2")).value, Decimal()};
        p.answer = text("Label6") == QStringLiteral("＋") ? p.first + p.second : p.first - p.second;
        EXPECT_TRUE(isOpportunity(MistakeKind::PlaceAlignment, p)) << i;
        const QString typed = Text(p.answer);
        type(typed + (typed.contains(u'.') ? QStringLiteral(" ") : QStringLiteral("  ")));
    }
    EXPECT_EQ(menus, 1);
    waitForEvaluation();
    EXPECT_EQ(evaluations, 0);
    EXPECT_TRUE(h.records().empty());
    EXPECT_FALSE(QFile::exists(mistakesFile(h.state.installation)));
    const std::vector<AnswerRecord> written = answers();
    ASSERT_EQ(written.size(), 10u);
    for (const AnswerRecord& a : written) {
        EXPECT_TRUE(a.practice);
        EXPECT_TRUE(a.correct);
        EXPECT_EQ(a.level, 1);
    }
}

} // namespace
