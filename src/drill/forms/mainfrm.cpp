#include "drill/forms/mainfrm.h"

#include "drill/misconceptions.h"
#include "drill/mistakekind.h"
#include "drill/noticewaiter.h"
#include "drill/problem.h"
#include "drill/runclock.h"
#include "drill/runend.h"
#include "drill/worksheet.h"
#include "frame/datafiles.h"
#include "frame/daycount.h"
#include "frame/dialogs.h"
#include "frame/forms/fonts.h"
#include "frame/forms/screenhost.h"
#include "frame/programdefinition.h"
#include "results/recordrun.h"
#include "results/statistics.h"
#include "sound/sounds.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <optional>

namespace zanfolio {

namespace {

constexpr int kRunClockMs = 1000;
constexpr int kSignInClockMs = 10000;
constexpr int kHintDesignMs = 1000;
constexpr int kWaitSliceMs = 10;
constexpr int kSecondsPerDay = 24 * 60 * 60;
// The status panel's "本日" adds up the runs of levels 1 to 15 only, as the drill always has
// (the results menu and the evaluation count every level).
constexpr int kLastLevelCountedToday = 15;
// The mistakes file is waited for this long at the end of a run at most; a batch it cannot
// take by then is kept on this computer.
constexpr int kMistakesPatienceMs = 3000;

// The character a key press stands for, as the drill's key handling takes it. The keypad's
// digits, point and signs give the same characters as the main keys; keys that type nothing
// (a modifier alone, the arrows) are no key press of the drill.
std::optional<QChar> drillCharacter(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Backspace)
        return QChar(u'\b');
    if (key.key() == Qt::Key_Space)
        return QChar(u' ');
    if (key.text().isEmpty())
        return std::nullopt;
    return key.text().at(0);
}

// Sets `text`, in the largest size from `largest` down to `smallest` points at which it fits
// the label's width; what still does not fit at the smallest size is cut with an ellipsis.
void setFittedText(QLabel* label, const QString& text, double largest, double smallest) {
    const int room = label->width() - 8;
    QFont font = label->font();
    for (double size = largest; size >= smallest; size -= 0.5) {
        font.setPointSizeF(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= room)
            break;
    }
    label->setFont(font);
    label->setText(QFontMetrics(font).elidedText(text, Qt::ElideRight, room));
    label->setToolTip(text);
}

} // namespace

MainFrm::MainFrm(AppContext& context, DrillParts state, std::optional<MistakeKind> aimedAt)
    : context_(context), state_(state),
      entry_(state_.run, state_.outcome, [this](const DrillAction& action) { act(action); }),
      aimedAt_(aimedAt) {
    setObjectName(QStringLiteral("MainFrm"));
    // Keys go to the form, never to a control: the button takes no focus (a space on it
    // would click it), and the form reads every key press first.
    setFocusPolicy(Qt::StrongFocus);
    buildControls();
    entry_.setWrongAnswerObserver([this](const QString& typed) { keepWrongAnswer(typed); });
    entry_.setAnswerObserver(
        [this](const QString& typed, bool correct) { keepAnswer(typed, correct); });

    sTimer1 = new QTimer(this);
    sTimer1->setObjectName(QStringLiteral("sTimer1"));
    sTimer1->setInterval(kRunClockMs);
    connect(sTimer1, &QTimer::timeout, this, &MainFrm::sTimer1_Timer);

    sTimer2 = new QTimer(this);
    sTimer2->setObjectName(QStringLiteral("sTimer2"));
    sTimer2->setInterval(kSignInClockMs);
    connect(sTimer2, &QTimer::timeout, this, &MainFrm::sTimer2_Timer);
    sTimer2->start();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kHintDesignMs);
    connect(Timer1, &QTimer::timeout, this, &MainFrm::Timer1_Timer);

    waitTimer = new QTimer(this);
    waitTimer->setObjectName(QStringLiteral("waitTimer"));
    waitTimer->setInterval(kWaitSliceMs);
    connect(waitTimer, &QTimer::timeout, this, &MainFrm::WaitThenEvaluate_Tick);

    qApp->installEventFilter(this);
}

MainFrm::~MainFrm() = default;

// ---------------------------------------------------------------------------------------------
// Activation and set-up.

void MainFrm::activate() {
    if (state_.run.RunEnding == 1 || ended_)
        return;
    初期設定();
    レベル別設定();
    スタート();
    問題作成表示();
    setFocus();
}

void MainFrm::初期設定() {
    const DrillParts s = state_;
    context_.host.hideWaitNotice();
    s.run.RunFinished = 0;
    s.run.RunEnding = 0;
    s.run.Judgement = 0;
    entry_.clearInput();
    const int lv = s.session.CurrentLevel;
    const size_t l = size_t(std::clamp(lv, 0, kMaxLevel));

    if (s.program.LevelPresent[l] != 0) {
        const int minimumLine = s.Criteria.MinimumLineTime[l];
        s.run.TimeoutSeconds = timeoutSecondsFor(minimumLine);
        sLabel10->setText(QStringLiteral("0"));
        placeTimeBar();
    }

    sLabel2->setText(s.program.ProgramTitle);
    sLabel2->setFont(japaneseFont(s.program.ProgramTitle.size() < 10 ? 16.8 : 14));
    // A name fills its 20 characters, a school line may be longer: they shrink to fit.
    setFittedText(sLabel7, s.session.StudentName.trimmed(), 18, 9);
    setFittedText(sLabel8, s.program.LevelNames[l], 17, 10);
    setFittedText(sLabel14, s.installation.SchoolName, 11, 8);

    const int pupil = std::clamp(s.session.CurrentStudent, 0, kMaxPupil);
    const int thisLevelToday = s.Stats.TodayRunCounts(int(l), pupil);
    s.outcome.TodayRunTotal = SumTodayRunCounts(s.Stats, pupil, kLastLevelCountedToday);
    sLabel13->setText(QString::number(minutesSinceSignIn()));
    if (isPracticeLevel(s.program, int(l)) || aimedAt_) {
        // Practice runs are not recorded, so they have no number.
        sLabel12->setText(QStringLiteral("－"));
        sLabel11->setText(QStringLiteral("－"));
    } else {
        sLabel12->setText(QString::number(s.outcome.TodayRunTotal + 1));
        sLabel11->setText(QString::number(thisLevelToday + 1));
    }
    s.run.TotalProblems = 10;
}

void MainFrm::レベル別設定() {
    sLabel9->setText(QString::number(state_.run.TotalProblems - state_.run.CorrectCount));
}

void MainFrm::スタート() {
    const QDateTime now = context_.clock.now();
    state_.run.RunStartTime = float(now.time().msecsSinceStartOfDay()) / 1000.0f;
    runStartMs_ = context_.clock.monotonicMs();
    sTimer1->start();
}

bool MainFrm::hasTimeout() const {
    return state_.run.TimeoutSeconds > 0;
}

void MainFrm::placeTimeBar() {
    const DrillParts s = state_;
    const size_t l = size_t(std::clamp(s.session.CurrentLevel, 0, kMaxLevel));
    // Without a time-out the bar still shows the time passing, on a scale of its own.
    s.run.BarScale = barScaleFor(sShape5->width(), s.run.TimeoutSeconds);
    setBarWidth(sShape2, 0);
    const int standard = s.Criteria.StandardTime[l];
    setBarWidth(sShape3, barWidthFor(standard, s.run.BarScale, sShape5->width()));
    sShape3->setVisible(standard > 0);
    setBarWidth(sShape4,
                barWidthFor(s.Criteria.MinimumLineTime[l], s.run.BarScale, sShape5->width()));
    sShape4->setVisible(hasTimeout());
}

void MainFrm::setBarWidth(QFrame* shape, int width) {
    // Nothing reaches past the frame: a mark beyond the time-out stands at its end.
    const int w = std::clamp(width, 0, sShape5->width());
    shape->setGeometry(sShape5->x(), sShape5->y(), w, sShape5->height());
}

void MainFrm::showElapsedBar() {
    setBarWidth(sShape2,
                barWidthFor(state_.run.ElapsedSeconds, state_.run.BarScale, sShape5->width()));
}

int MainFrm::minutesSinceSignIn() const {
    int seconds = secondsSinceMidnight(context_.clock.now()) - state_.session.SignInTime;
    // Signed in before midnight: the time of day has started again from 0.
    if (seconds < 0)
        seconds += kSecondsPerDay;
    return seconds / 60;
}

// ---------------------------------------------------------------------------------------------
// Problems and the hint.

std::optional<Problem> MainFrm::nextAimedProblem() {
    const DrillParts s = state_;
    if (s.outcome.TimedOut == 1 || s.run.RunFinished == 1 || s.run.InputBusy == 1)
        return std::nullopt;
    // A wrong answer costs a correct one: more problems are drawn when the first ones run out.
    if (aimedProblems_.empty())
        aimedProblems_ = aimedProblems(s.session.CurrentLevel, *aimedAt_, kAimedPracticeProblems,
                                       context_.random);
    if (aimedProblems_.empty())
        return std::nullopt;
    Problem p = aimedProblems_.front();
    aimedProblems_.erase(aimedProblems_.begin());
    return p;
}

void MainFrm::問題作成表示() {
    const std::optional<Problem> problem =
        aimedAt_ ? nextAimedProblem()
                 : zanfolio::問題作成表示(state_.run, state_.outcome, state_.session.CurrentLevel,
                                          context_.random);
    if (!problem)
        return;
    problem_ = problem;
    problemShownMs_ = context_.clock.monotonicMs();
    qLabel1->clear();
    inputLabel->clear();
    Timer1->stop();
    // Aimed practice shows the column layout from the start: the way of working is the point.
    showColumnLayout(aimedAt_.has_value());

    Label1->setText(problem->alignedTexts[0]);
    qLabel1->setText(problem->rowTexts[0]);
    qlabel2->setText(problem->rowTexts[1]);
    Label6->setText(problem->sign);
    Label5->setText(problem->alignedTexts[1]);
    Label9->setText(problem->sign);
    if (!aimedAt_) {
        Timer1->setInterval(problem->hintDelayMs);
        Timer1->start();
    }
    entry_.setJudgedAnswer(problem->answer);
}

void MainFrm::Timer1_Timer() {
    Timer1->stop();
    showColumnLayout(true);
}

void MainFrm::showColumnLayout(bool shown) {
    for (QWidget* w : {static_cast<QWidget*>(Shape3), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Label5), static_cast<QWidget*>(Label9),
                       static_cast<QWidget*>(Shape2)})
        w->setVisible(shown);
}

void MainFrm::showConfirmPrompt(bool shown) {
    Commandkakunin2->setVisible(shown);
    Commandkakunin->setVisible(shown);
}

// ---------------------------------------------------------------------------------------------
// Keys and the effects of the answer entry.

bool MainFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || ended_ || !isVisible())
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    // Keys meant for this screen: the form, any control on it, or the program's window when
    // no control has the focus. A message box is a window of its own and keeps its keys.
    if (!target || !(target == this || isAncestorOf(target) || target == window()))
        return false;
    const std::optional<QChar> k = drillCharacter(*static_cast<QKeyEvent*>(event));
    if (!k)
        return false;
    entry_.keyPress(*k);
    return true;
}

void MainFrm::Commandkakunin_Click() {
    // The button is offered only while a wrong answer waits to be acknowledged; a click at
    // any other moment would skip the problem without answering it.
    const DrillParts s = state_;
    if (ended_ || s.run.ConfirmState < 1 || s.run.InputBusy == 1 || s.outcome.TimedOut == 1 ||
        s.run.RunFinished == 1)
        return;
    entry_.Commandkakunin_Click();
}

void MainFrm::act(const DrillAction& action) {
    if (ended_)
        return;
    switch (action.effect) {
    case DrillEffect::ShowInput:
        inputLabel->setText(action.text);
        break;
    case DrillEffect::PlayWarningSound:
        state_.sounds.PlayWarningSound();
        break;
    case DrillEffect::PlayCorrectSound:
        checkAnswerSound(state_.sounds.PlayCorrectSound());
        break;
    case DrillEffect::PlayWrongSound:
        checkAnswerSound(state_.sounds.PlayWrongSound());
        break;
    case DrillEffect::ShowRemaining:
        sLabel9->setText(QString::number(action.number));
        break;
    case DrillEffect::ShowCorrection:
        seitouLabel->setText(action.text);
        seitouLabel->show();
        break;
    case DrillEffect::ShowColumnLayout:
        showColumnLayout(true);
        break;
    case DrillEffect::ProcessEvents:
        // The correction, before the wrong-answer sound.
        paintNowAndProcessEvents();
        break;
    case DrillEffect::ShowConfirmPrompt:
        showConfirmPrompt(true);
        break;
    case DrillEffect::HideConfirmPrompt:
        showConfirmPrompt(false);
        break;
    case DrillEffect::HideCorrection:
        seitouLabel->hide();
        break;
    case DrillEffect::NewProblem:
        問題作成表示();
        break;
    case DrillEffect::FinishRun:
        sTimer1->stop();
        EndOfRun();
        break;
    }
}

bool MainFrm::recordsThisLevel() const {
    const int level = state_.session.CurrentLevel;
    return !aimedAt_ && !isPracticeLevel(state_.program, level) &&
           state_.program.LevelPresent[size_t(std::clamp(level, 0, kMaxLevel))] != 0;
}

void MainFrm::keepWrongAnswer(const QString& typed) {
    if (!problem_ || !recordsThisLevel())
        return;
    mistakes_.push_back(makeMistakeRecord(state_.session, *problem_, typed, context_.clock.now()));
}

void MainFrm::keepAnswer(const QString& typed, bool correct) {
    if (!problem_)
        return;
    answers_.push_back(
        makeAnswerRecord(state_.session, *problem_, typed, correct, context_.clock.now(),
                         context_.clock.monotonicMs() - problemShownMs_, !recordsThisLevel()));
}

void MainFrm::checkAnswerSound(const SoundOutcome& outcome) {
    if (!outcome.endProgram)
        return;
    // A pupil who cannot hear the judgements must not go on: tell them, then end.
    ended_ = true;
    stopTimers();
    AppContext& context = context_;
    context.dialogs.show(outcome.title, outcome.message, Dialogs::Buttons::Ok,
                         Dialogs::Icon::Critical);
    context.host.endProgram(1);
}

void MainFrm::stopTimers() {
    sTimer1->stop();
    sTimer2->stop();
    Timer1->stop();
    waitTimer->stop();
}

// ---------------------------------------------------------------------------------------------
// The clocks.

void MainFrm::sTimer1_Timer() {
    if (!sTimer1->isActive() || ended_)
        return; // the clock has stopped: a tick still on its way counts no more
    const DrillParts s = state_;
    s.run.ElapsedSeconds = elapsedSecondsOf(context_.clock.monotonicMs() - runStartMs_);
    const bool present =
        s.program.LevelPresent[size_t(std::clamp(s.session.CurrentLevel, 0, kMaxLevel))] != 0;
    if (present) {
        sLabel10->setText(QString::number(s.run.ElapsedSeconds));
        if (!reachesTimeout(s.run.ElapsedSeconds, s.run.TimeoutSeconds))
            showElapsedBar();
    }
    QCoreApplication::processEvents();

    if (!reachesTimeout(s.run.ElapsedSeconds, s.run.TimeoutSeconds)) {
        showElapsedBar();
        return;
    }
    setBarWidth(sShape2, sShape5->width());
    // An answer being judged, or a run already ending, defers the time-out to a later tick.
    if (s.run.RunEnding == 0 && s.run.RunFinished == 0 && s.run.InputBusy == 0) {
        s.outcome.TimedOut = 1;
        sTimer1->stop();
        EndOfRun();
    }
    QCoreApplication::processEvents();
}

void MainFrm::sTimer2_Timer() {
    sLabel13->setText(QString::number(minutesSinceSignIn()));
}

// ---------------------------------------------------------------------------------------------
// The end of a run.

void MainFrm::EndOfRun() {
    QCoreApplication::processEvents();
    const DrillParts s = state_;
    if (s.run.RunEnding == 1 || ended_)
        return; // the hand-off is already under way
    s.run.RunEnding = 1;
    sPicture2->show();
    sPicture2->raise();
    lblsss2->setVisible(s.outcome.TimedOut == 1);
    lblsss1->setVisible(s.outcome.TimedOut != 1);
    QCoreApplication::processEvents();

    AppContext& context = context_;
    const DrillParts parts = s; // the state outlives the form
    const int level = s.session.CurrentLevel;
    // The form may go while the records wait (the program closing): what follows a record uses
    // none of its members.
    const std::vector<AnswerRecord> answers = std::move(answers_);
    answers_.clear();
    const std::vector<MistakeRecord> mistakes = std::move(mistakes_);
    mistakes_.clear();
    sTimer1->stop();
    QPointer<MainFrm> self(this);
    if (!recordsThisLevel()) {
        // Practice: the results file records nothing and nothing is evaluated; the answers
        // are kept, marked as practice.
        recordSideFiles(context, parts, {}, answers, true);
        if (!self || context.host.ending())
            return;
        carryOut(runEndOf(true, RunRecorded{}));
        QCoreApplication::processEvents();
        return;
    }

    s.outcome.RecordedTime = s.outcome.TimedOut == 1 ? kNoTime : s.run.ElapsedSeconds;
    // While another computer holds the results file the append waits and tries again; the
    // overlay says what it waits for meanwhile. A run the file cannot take is kept on this
    // computer and recorded later: it is never dropped.
    NoticeWaiter waiter(context.waiter, [this] {
        recordNotice->show();
        recordNotice->repaint();
    });
    const Result<RunRecorded> recorded = s.store.recordRun(
        RunToRecord{s.session.CurrentStudent, level, s.outcome.RecordedTime,
                    s.installation.SchoolCode},
        s.Criteria, s.Stats, s.outcome, waiter, context.clock, [this, self](const Error& why) {
            if (!self)
                return;
            recordNotice->setText(recordWaitNotice(why));
            recordNotice->repaint();
        });
    const bool runWritten = recorded && !recorded->kept;
    recordSideFiles(context, parts, mistakes, answers, runWritten);
    if (!self)
        return; // the program ended during the wait
    recordNotice->hide();
    carryOut(runEndOf(false, recorded));
}

void MainFrm::carryOut(const RunEnd& end) {
    AppContext& context = context_;
    if (context.host.ending())
        return;
    if (!end.message.isEmpty())
        context.dialogs.show(state_.program.ProgramTitle, end.message, Dialogs::Buttons::Ok,
                             end.critical ? Dialogs::Icon::Critical : Dialogs::Icon::Warning);
    switch (end.next) {
    case AfterRun::EndProgram:
        context.host.endProgram(1);
        return;
    case AfterRun::ResultsMenu:
        // The evaluation would read a results file that does not hold this run.
        context.host.showWaitNotice();
        if (context.navigate.showResultsMenu)
            context.navigate.showResultsMenu();
        return;
    case AfterRun::Evaluation: {
        context.host.showWaitNotice();
        QPointer<MainFrm> self(this);
        QCoreApplication::processEvents();
        if (!self)
            return;
        WaitThenEvaluate(1);
        return;
    }
    }
}

void MainFrm::recordSideFiles(AppContext& context, DrillParts parts,
                              const std::vector<MistakeRecord>& mistakes,
                              const std::vector<AnswerRecord>& answers, bool runWritten) {
    // When the share has just refused the run (or the program is closing) the wrong answers and
    // the answers stay with the run on this computer, without a second wait on the share.
    // Otherwise the pupil has waited for the record already: each side file gets a short
    // while, and a batch it cannot take then is kept on this computer without a word (the run
    // is safe). Only a batch that can be neither written nor kept is lost, and said.
    const auto say = [&](const Status& done) {
        if (!done && !context.host.ending())
            context.dialogs.show(parts.program.ProgramTitle, done.error().message,
                                 Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
    };
    {
        PatientWaiter patient(context.waiter, kMistakesPatienceMs);
        say(parts.store.recordMistakes(
            mistakes, runWritten, runWritten ? static_cast<Waiter&>(patient) : context.waiter));
    }
    PatientWaiter patient(context.waiter, kMistakesPatienceMs);
    say(parts.store.recordAnswers(answers, runWritten,
                                  runWritten ? static_cast<Waiter&>(patient) : context.waiter));
}

void MainFrm::WaitThenEvaluate(int seconds) {
    // A second on the monotonic clock, counted in 10 ms slices while events go on.
    waitStartMs_ = context_.clock.monotonicMs();
    waitMs_ = qint64(seconds) * 1000;
    waitTimer->start();
}

void MainFrm::WaitThenEvaluate_Tick() {
    if (!waitTimer->isActive() || context_.clock.monotonicMs() - waitStartMs_ < waitMs_)
        return;
    waitTimer->stop();
    if (context_.navigate.showEvaluation)
        context_.navigate.showEvaluation();
}

} // namespace zanfolio
