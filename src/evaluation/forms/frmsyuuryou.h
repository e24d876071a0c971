#pragma once
// The evaluation screen FrmSyuuryou, after every recorded run: the pupil's time, the points of
// the run, the runs made today, whether the level is cleared and whether a record fell, with
// their sounds; 500 ms later it offers "メニューへ" and, unless the level has been practised too
// much after clearing it, "もう一度" (the same level again).
//
// What it shows comes from EvaluateRun over a fresh statistics pass (so the run just recorded
// counts); the form only places it and plays the sounds in order. The activation runs once:
// it consumes the outcome flags of the run.

#include "evaluation/evaluation.h"
#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"
#include "frame/installation.h"
#include "results/resultsstore.h"
#include "sound/sounds.h"

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace zanfolio {

// The parts of the state the evaluation reads: the run's pupil, level and outcome, the
// statistics it brings up to date, and the sounds.
// References into the program-wide state: a copy stays good after the screen is gone.
struct EvaluationParts {
    const ProgramDefinition& program;
    const Installation& installation;
    const CriteriaTable& Criteria;
    PupilStatistics& Stats;
    const Session& session;
    RunOutcome& outcome;
    Sounds& sounds;
    ResultsStore& store;
};

class FrmSyuuryou : public Screen {
    Q_OBJECT

  public:
    FrmSyuuryou(AppContext& context, EvaluationParts state);
    ~FrmSyuuryou() override;

    void activate() override;

  private:
    // Tests tick Timer1 and click "もう一度" a second time, before the drill is up.
    friend class FrmSyuuryouTestPeer;

    // Timer1's tick (500 ms after the activation began): offers the buttons.
    void Timer1_Timer();
    void Command4_Click(); // "メニューへ"
    void Command5_Click(); // "もう一度"

    // In frmsyuuryou_layout.cpp: the controls, their places and looks, their wiring.
    void buildControls();
    // Paints what changed and processes pending events; false once the pupil has left the
    // screen meanwhile.
    bool processEvents();
    void play(EvaluationSound sound);

    AppContext& context_;
    EvaluationParts state_;
    Evaluation evaluation_;
    bool activated_ = false;
    bool leaving_ = false;

    QLabel* Image1; // the background picture over the whole screen
    QFrame* card;   // the white card that holds the results and the buttons

    // On the card.
    QLabel* Label15; // the program's title
    QLabel* Label16; // the level's name
    QLabel* Label17; // the pupil's name
    QLabel* Label18; // the time of the run, or "記録なし"
    QLabel* Label19; // the points: "獲得ポイント：P点×倍率→F点"
    QLabel* Label13; // the runs today on this level, " (このレベル　N回目)"
    QLabel* Label14; // the runs today on every level, "（N回目)", after the caption "本日"
    QLabel* Label20; // the outcome line (time-out, new records), shown before the sounds
    QLabel* Label2;  // the badge "このレベルクリア" (after the tick: evaluation.h)

    // Over the foot of the card until the tick.
    QFrame* Picture1; // the congratulation on the target level, until the tick
    QLabel* Label1;   // its text

    // Below the card, from the first result shown until the sounds have ended.
    QLabel* waitNotice;

    // On the foot of the card once the tick has offered them.
    QPushButton* Command4; // "メニューへ", back to the results menu
    QPushButton* Command5; // "もう一度", the same level again
    QTimer* Timer1;        // 500 ms after the activation: offers the buttons
};

} // namespace zanfolio
