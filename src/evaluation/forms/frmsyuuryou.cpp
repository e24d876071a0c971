#include "evaluation/forms/frmsyuuryou.h"

#include "frame/datafiles.h"
#include "frame/dialogs.h"
#include "frame/forms/screenhost.h"
#include "results/resultsstore.h"
#include "results/statistics.h"
#include "sound/sounds.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace zanfolio {

namespace {

constexpr int kButtonsDelayMs = 500;

} // namespace

FrmSyuuryou::FrmSyuuryou(AppContext& context, EvaluationParts state)
    : context_(context), state_(state) {
    setObjectName(QStringLiteral("FrmSyuuryou"));
    buildControls();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kButtonsDelayMs);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &FrmSyuuryou::Timer1_Timer);
}

FrmSyuuryou::~FrmSyuuryou() = default;

bool FrmSyuuryou::processEvents() {
    QPointer<FrmSyuuryou> self(this);
    // What the activation has just set is on the screen before the next sound blocks.
    paintNowAndProcessEvents();
    return self && !leaving_;
}

void FrmSyuuryou::activate() {
    if (activated_)
        return;
    activated_ = true;
    AppContext& context = context_;
    const EvaluationParts s = state_;

    // The run just recorded must count in what the screen says. The pass waits while the file
    // cannot be read: the window may be closed meanwhile, and the screen deleted with it.
    ResultsFile file = s.store.results(context.waiter);
    const ScreenWatch watch(this);
    const Status computed = ComputePupilStatistics(s.Stats, s.Criteria, file, context.clock);
    if (watch.gone())
        return;
    if (!computed) {
        if (context.host.ending())
            return;
        context.dialogs.show(s.program.ProgramTitle, computed.error().message, Dialogs::Buttons::Ok,
                             Dialogs::Icon::Critical);
        context.host.endProgram(1);
        return;
    }

    // The results come next: the wait notice moves to where it hides none of them.
    context.host.hideWaitNotice();
    waitNotice->show();
    waitNotice->raise();

    evaluation_ = EvaluateRun(RunParts{s.program, s.Criteria, s.Stats, s.session, s.outcome});
    const Evaluation& e = evaluation_;
    Label2->setVisible(e.Label2Visible);
    if (e.Picture1Visible) {
        Picture1->show();
        Picture1->raise();
    }
    if (!processEvents())
        return;
    Timer1->start();

    Label19->setText(e.Label19);
    Label18->setText(e.Label18);
    Label17->setText(e.Label17);
    Label15->setText(e.Label15);
    Label16->setText(e.Label16);
    Label13->setText(e.Label13);
    Label14->setText(e.Label14);
    if (!processEvents())
        return;

    if (e.outcome != OutcomeLine::None) {
        Label20->setText(e.Label20);
        Label20->show();
    }
    for (EvaluationSound sound : e.sounds) {
        if (!processEvents())
            return;
        play(sound);
    }
    if (!processEvents())
        return;
    waitNotice->hide();
    context.host.hideWaitNotice();
}

void FrmSyuuryou::play(EvaluationSound sound) {
    Sounds& sounds = state_.sounds;
    switch (sound) {
    case EvaluationSound::PersonalBest:
        sounds.PlayPersonalBestSound();
        break;
    case EvaluationSound::OverallBest:
        sounds.PlayOverallBestSound();
        break;
    case EvaluationSound::Fail:
        sounds.PlayFailSound();
        break;
    case EvaluationSound::Pass:
        sounds.PlayPassSound();
        break;
    }
}

void FrmSyuuryou::Timer1_Timer() {
    if (!activated_ || leaving_)
        return;
    Timer1->stop();
    const EvaluationButtons& b = evaluation_.afterTimer;
    Picture1->hide();
    // Alone, "メニューへ" stands in the middle.
    if (!b.Command5)
        Command4->move((card->width() - Command4->width()) / 2, Command4->y());
    Command4->setVisible(b.Command4);
    Command4->setFocus();
    Command5->setVisible(b.Command5);
    Label2->setText(b.Label2);
    Label2->setVisible(b.Label2Visible);
}

void FrmSyuuryou::Command4_Click() {
    if (leaving_)
        return;
    leaving_ = true;
    Command4->setEnabled(false);
    Command5->setEnabled(false);
    Timer1->stop();
    if (context_.navigate.showResultsMenu)
        context_.navigate.showResultsMenu();
    QCoreApplication::processEvents();
}

void FrmSyuuryou::Command5_Click() {
    // Both buttons go dead at the first click: a second click meanwhile would start a second
    // run (or leave for the menu) from a screen that is already leaving.
    if (leaving_)
        return;
    leaving_ = true;
    Command4->setEnabled(false);
    Command5->setEnabled(false);
    Timer1->stop();
    AppContext& context = context_;
    context.host.showWaitNotice();
    if (context.navigate.startRun)
        context.navigate.startRun();
}

} // namespace zanfolio
