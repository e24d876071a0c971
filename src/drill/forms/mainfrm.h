#pragma once
// The drill form MainFrm: one run of ten correct answers against the clock on CurrentLevel.
//
// The form only shows and sounds: every key press goes to the drill's AnswerEntry (the state
// machine over the run flags), whose effects the form carries out one by one;
// the problems come from 問題作成表示. Activation sets up the status panel and the time bar,
// starts the clock and shows the first problem. The end of a run (the tenth correct answer, or
// a clock tick past the limit) records the run and, one second later, hands over to the
// evaluation screen; a practice level goes back to the results menu without a record.
//
// The wrong answers of a recorded level are kept in memory during the run (the run never
// waits on the shared folder for them) and go to the mistakes file after the run's record:
// see EndOfRun. Every answer handed in, right or wrong, of any level goes the same way to the
// answers file, marked 練習 for a run that is not recorded.
//
// Aimed practice (弱点練習, from the results menu): a run of CurrentLevel on problems on which
// one wrong way of working fails (drill/worksheet.h aimedProblems), with the column layout
// shown from the start; recorded in the answers file as practice only, never in the results
// file and never evaluated.
//
// Time: the run's elapsed seconds come from the monotonic clock, so a run across midnight keeps
// counting. A level whose MinimumLineTime is 0 or less has no time-out (TimeoutSeconds 0): the
// bar is scaled to kDefaultBarSeconds and the minimum-line mark is hidden.

#include "drill/answerentry.h"
#include "drill/problem.h"
#include "drill/runend.h"
#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"
#include "frame/installation.h"
#include "frame/programdefinition.h"
#include "results/answerrecord.h"
#include "results/criteria.h"
#include "results/mistakerecord.h"
#include "results/resultsstore.h"
#include "results/statistics.h"
#include "roster/session.h"
#include "sound/sounds.h"

#include <QString>
#include <optional>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace zanfolio {

struct SoundOutcome;

// The parts of the state the drill reads and sets: the level's criteria and name, the pupil,
// the run's flags and outcome, the statistics the record writer brings up to date, and the
// sounds.
// References into the program-wide state: a copy stays good after the screen is gone.
struct DrillParts {
    const ProgramDefinition& program;
    const Installation& installation;
    const CriteriaTable& Criteria;
    PupilStatistics& Stats;
    const Session& session;
    RunInProgress& run;
    RunOutcome& outcome;
    Sounds& sounds;
    ResultsStore& store;
};

class MainFrm : public Screen {
    Q_OBJECT

  public:
    // `aimedAt`: an aimed practice run against that way of working.
    MainFrm(AppContext& context, DrillParts state,
            std::optional<MistakeKind> aimedAt = std::nullopt);
    ~MainFrm() override;

    // Form_Activate: 初期設定, レベル別設定, スタート, then 問題作成表示. Once the hand-off at the
    // end of the run has begun, an activation changes nothing (the run is recorded once).
    void activate() override;

    // Time bar: the frame's width in pixels, and the scale used without a time-out.
    static constexpr int kBarWidth = 250;

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
    // What follows the record: the message, then the next screen.
    void carryOut(const RunEnd& end);
    // After the run's record: its wrong answers to the mistakes file and its answers to the
    // answers file, or kept on this computer when the run was not written (the same share
    // would refuse them) or a file refuses them. A batch that can be neither written nor kept
    // is said (unless the program is ending). Uses no member: the form may have gone while
    // the record waited.
    static void recordSideFiles(AppContext& context, DrillParts parts,
                                const std::vector<MistakeRecord>& mistakes,
                                const std::vector<AnswerRecord>& answers, bool runWritten);
    void WaitThenEvaluate(int seconds);

    void act(const DrillAction& action);
    void keepWrongAnswer(const QString& typed);
    void keepAnswer(const QString& typed, bool correct);
    std::optional<Problem> nextAimedProblem();
    bool recordsThisLevel() const;
    void checkAnswerSound(const SoundOutcome& outcome);
    void showColumnLayout(bool shown);
    void showConfirmPrompt(bool shown);
    void placeTimeBar();
    void showElapsedBar();
    void setBarWidth(QFrame* shape, int width);
    bool hasTimeout() const;
    int minutesSinceSignIn() const;
    void stopTimers();
    // In mainfrm_layout.cpp: the controls, their places and looks, their wiring.
    void buildControls();
    void buildProblemArea();
    void buildStatusPanel();
    void buildOverlay();

    AppContext& context_;
    DrillParts state_;
    AnswerEntry entry_;
    qint64 runStartMs_ = 0;  // monotonic milliseconds at スタート
    qint64 waitStartMs_ = 0; // monotonic milliseconds when WaitThenEvaluate began
    qint64 waitMs_ = 0;
    bool ended_ = false;                  // the sound error is ending the program: act no more
    std::optional<Problem> problem_;      // the problem on the screen
    std::vector<MistakeRecord> mistakes_; // the run's wrong answers so far, in order
    std::vector<AnswerRecord> answers_;   // the run's answers so far, in order
    qint64 problemShownMs_ = 0;           // monotonic milliseconds when the problem appeared
    std::optional<MistakeKind> aimedAt_;  // an aimed practice run
    std::vector<Problem> aimedProblems_;  // its problems still to come

    // Problem row, typed answer, correction.
    QLabel* qLabel1;     // the first number
    QLabel* Label6;      // the sign, "＋" or "－"
    QLabel* qlabel2;     // the second number
    QLabel* inputLabel;  // the answer as typed
    QLabel* seitouLabel; // the correct answer after a wrong one, with its caption
    // Column layout (the hint).
    QLabel* Label1; // the first number, aligned on its point
    QLabel* Label9; // the sign before the second number
    QLabel* Label5; // the second number, aligned on its point
    QFrame* Shape3; // the frame around the column sum
    QFrame* Shape2; // the line under the second number
    // Acknowledgement of a wrong answer.
    QLabel* Commandkakunin2;     // the prompt to press "+" twice
    QPushButton* Commandkakunin; // "確認", as two presses of "+"
    // Status panel.
    QFrame* statusPanel; // the panel on the right
    QLabel* sLabel2;     // the program's title
    QLabel* sLabel7;     // the pupil's name, shrunk to fit
    QLabel* sLabel14;    // the school's name, shrunk to fit
    QLabel* sLabel8;     // the level's name, shrunk to fit
    QLabel* sLabel9;     // problems left, "残り"
    QLabel* sLabel10;    // seconds so far, "タイム"
    QLabel* sLabel11;    // this run's number on this level today, "このレベル"
    QLabel* sLabel12;    // this run's number today over levels 1 to 15, "本日"
    QLabel* sLabel13;    // minutes since sign-in, "起動後"
    // Time bar.
    QFrame* sShape5; // frame
    QFrame* sShape2; // elapsed
    QFrame* sShape3; // standard-time mark
    QFrame* sShape4; // minimum-line mark
    // Overlay at the end of a run.
    QFrame* sPicture2;    // the overlay over the working area
    QLabel* lblsss1;      // "成績記録中" (the run is being recorded)
    QLabel* lblsss2;      // "時間切れ" (time-out)
    QLabel* recordNotice; // shown while the record waits for the results file, saying why
    // Timers.
    QTimer* sTimer1;   // the run clock
    QTimer* sTimer2;   // minutes since sign-in
    QTimer* Timer1;    // the hint's delay
    QTimer* waitTimer; // the second before the evaluation
};

} // namespace zanfolio
