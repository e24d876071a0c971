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

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace zanfolio {

class FrmSyuuryou : public Screen {
    Q_OBJECT

  public:
    explicit FrmSyuuryou(AppContext& context);
    ~FrmSyuuryou() override;

    void activate() override;

  private:
    // Tests tick Timer1 and click "もう一度" a second time, before the drill is up.
    friend class FrmSyuuryouTestPeer;

    // Timer1's tick (500 ms after the activation began): offers the buttons.
    void Timer1_Timer();
    void Command4_Click(); // "メニューへ"
    void Command5_Click(); // "もう一度"

    // Processes pending events; false once the pupil has left the screen meanwhile.
    bool processEvents();
    void play(EvaluationSound sound);

    AppContext& context_;
    Evaluation evaluation_;
    bool activated_ = false;
    bool leaving_ = false;

    QLabel* Image1;
    QFrame* card;
    QLabel* Label15;
    QLabel* Label16;
    QLabel* Label17;
    QLabel* Label18;
    QLabel* Label19;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label20;
    QLabel* Label2;
    QFrame* Picture1;
    QLabel* Label1;
    QPushButton* Command4;
    QPushButton* Command5;
    QTimer* Timer1;
};

} // namespace zanfolio
