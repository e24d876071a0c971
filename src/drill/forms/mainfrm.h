#pragma once
// The drill form MainFrm: one run of ten correct answers against the clock on CurrentLevel.
//
// The form only shows and sounds: every key press goes to the drill's AnswerEntry (the state
// machine over the run flags of SharedState), whose effects the form carries out one by one;
// the problems come from 問題作成表示. Activation sets up the status panel and the time bar,
// starts the clock and shows the first problem. The end of a run (the tenth correct answer, or
// a clock tick past the limit) records the run and, one second later, hands over to the
// evaluation screen; a practice level goes back to the results menu without a record.
//
// Time: the run's elapsed seconds come from the monotonic clock, so a run across midnight keeps
// counting. A level whose MinimumLineTime is 0 or less has no time-out (TimeoutSeconds 0): the
// bar is scaled to kDefaultBarSeconds and the minimum-line mark is hidden.

#include "drill/answerentry.h"
#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"

#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace zanfolio {

struct SoundOutcome;

class MainFrm : public Screen {
    Q_OBJECT

  public:
    explicit MainFrm(AppContext& context);
    ~MainFrm() override;

    // Form_Activate: 初期設定, レベル別設定, スタート, then 問題作成表示. Once the hand-off at the
    // end of the run has begun, an activation changes nothing (the run is recorded once).
    void activate() override;

    // Time bar: the frame's width in pixels, and the scale used without a time-out.
    static constexpr int kBarWidth = 250;
    static constexpr int kDefaultBarSeconds = 300;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Tests tick the timers with the fake clock, and press "確認" while it is hidden.
    friend class MainFrmTestPeer;

    // The timers' handlers.
    void sTimer1_Timer();         // the run clock, every 1000 ms while the run goes on
    void sTimer2_Timer();         // minutes since sign-in, every 10000 ms
    void Timer1_Timer();          // the hint: shows the column layout
    void WaitThenEvaluate_Tick(); // every 10 ms of the wait before the evaluation

    // The button "確認": acknowledges a wrong answer like two presses of "+".
    void Commandkakunin_Click();

    void 初期設定();
    void レベル別設定();
    void スタート();
    void 問題作成表示();
    void EndOfRun();
    void WaitThenEvaluate(int seconds);

    void act(const DrillAction& action);
    void checkAnswerSound(const SoundOutcome& outcome);
    void showColumnLayout(bool shown);
    void showConfirmPrompt(bool shown);
    void placeTimeBar();
    void showElapsedBar();
    void setBarWidth(QFrame* shape, int width);
    bool hasTimeout() const;
    int minutesSinceSignIn() const;
    void stopTimers();
    void buildProblemArea();
    void buildStatusPanel();
    void buildOverlay();

    AppContext& context_;
    SharedState& state_;
    AnswerEntry entry_;
    qint64 runStartMs_ = 0;  // monotonic milliseconds at スタート
    qint64 waitStartMs_ = 0; // monotonic milliseconds when WaitThenEvaluate began
    qint64 waitMs_ = 0;
    bool ended_ = false; // the sound error is ending the program: act no more

    // Problem row, typed answer, correction.
    QLabel* qLabel1;
    QLabel* Label6;
    QLabel* qlabel2;
    QLabel* inputLabel;
    QLabel* seitouLabel;
    // Column layout (the hint).
    QLabel* Label1;
    QLabel* Label9;
    QLabel* Label5;
    QFrame* Shape3; // the frame around the column sum
    QFrame* Shape2; // the line under the second number
    // Acknowledgement of a wrong answer.
    QLabel* Commandkakunin2;
    QPushButton* Commandkakunin;
    // Status panel.
    QFrame* statusPanel;
    QLabel* sLabel2;
    QLabel* sLabel7;
    QLabel* sLabel14;
    QLabel* sLabel8;
    QLabel* sLabel9;
    QLabel* sLabel10;
    QLabel* sLabel11;
    QLabel* sLabel12;
    QLabel* sLabel13;
    // Time bar.
    QFrame* sShape5; // frame
    QFrame* sShape2; // elapsed
    QFrame* sShape3; // standard-time mark
    QFrame* sShape4; // minimum-line mark
    // Overlay at the end of a run.
    QFrame* sPicture2;
    QLabel* lblsss1;
    QLabel* lblsss2;
    QLabel* recordNotice; // shown while the record waits for another computer
    // Timers.
    QTimer* sTimer1;
    QTimer* sTimer2;
    QTimer* Timer1;
    QTimer* waitTimer;
};

} // namespace zanfolio
