#include "menu/forms/seisekitime1.h"

#include "frame/datafiles.h"
#include "frame/daycount.h"
#include "frame/dialogs.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/readingprogress.h"
#include "frame/forms/screenhost.h"
#include "frame/forms/textlist.h"
#include "frame/programdefinition.h"
#include "menu/columnlayout.h"
#include "menu/datewindow.h"
#include "menu/forms/chart/chartpanel.h"
#include "menu/forms/classmistakespanel.h"
#include "menu/keyshortcuts.h"
#include "menu/levelrules.h"
#include "menu/menulabels.h"
#include "menu/menuview.h"
#include "results/answersfile.h"
#include "results/resultsstore.h"
#include "results/statistics.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace zanfolio {

namespace {

// The days of answers that the offer of aimed practice looks back on.
constexpr int kAimedPracticeDays = 90;

const QString kToolNotReady = QStringLiteral("この機能はまだ使えません。");

} // namespace

// ---------------------------------------------------------------------------------------------
// The form's load (the controls are built in seisekitime1_layout.cpp)

Seisekitime1::Seisekitime1(AppContext& context, MenuParts state)
    : context_(context), state_(state) {
    setObjectName(QStringLiteral("seisekitime1"));
    // The form takes the keys when none of its controls has the focus (key shortcuts).
    setFocusPolicy(Qt::StrongFocus);
    state_.menu.DateWindowChoice = kDefaultDateWindowChoice;
    buildControls();

    // Key preview: every control hands its typed keys to the form first.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// Activation

void Seisekitime1::activate() {
    if (context_.host.ending())
        return;
    // The statistics pass waits while the results file cannot be read, and the steps below let
    // events run: the window may be closed meanwhile, and the menu deleted with it.
    const ScreenWatch watch(this);
    const MenuParts state = state_;
    context_.host.setWindowTitle(QStringLiteral("Velmont")); // the installations' title, kept
    const int levels = offeredLevelCount();

    const bool teacher = IsTeacherName(state.session.StudentName);
    Command27->setVisible(teacher && state.program.TeacherPrintButton.toNumber() == 1);
    Command8->setVisible(teacher);
    mistakesButton->setVisible(teacher);
    Picture11->setTeacher(teacher);

    Label17->setText(MinutesSinceSignInText(state.session.SignInTime,
                                            secondsSinceMidnight(context_.clock.now())));

    MenuKeysEnabled = 0;
    Picture2->setGeometry(0, 0, width(), kScreenHeight);
    Picture2->show();
    Picture2->raise();
    ProgressBar1->show();
    QCoreApplication::processEvents();
    if (watch.gone())
        return;

    Option1[1]->setText(QStringLiteral("累計順"));
    Option1[2]->setText(QStringLiteral("本日順"));

    {
        ResultsFile file = state.store.results(context_.waiter);
        const Status computed =
            ComputePupilStatistics(state.Stats, state.Criteria, file, context_.clock);
        if (watch.gone() || (!computed && reportFailure(computed.error())))
            return;
    }

    state.outcome.TodayRunTotal = TodayRunTotalOf(state.Stats, state.session.CurrentStudent);
    Label18->setText(TodayRunTotalText(state.outcome.TodayRunTotal));
    ProgressBar1->setRange(0, std::max(levels, 1));

    ResultsDisplayMode = 2;
    ActivationInProgress = 1;
    if (!Option1[1]->isChecked()) {
        Option1[1]->setChecked(true);
        if (!Option1_Click(1))
            return;
    }
    if (!Option2_Click(1))
        return;
    Option2[1]->setChecked(true);
    Command1->setEnabled(true);
    ActivationInProgress = 0;

    setPracticeLevelTimes(state.program, state.Criteria);
    for (int level : offeredLevels()) {
        if (!isPracticeLevel(state.program, level))
            columns_[size_t(level)].List5->show();
    }
    Picture6->hide();

    Label12->setText(PupilHeaderText(state.session));
    Label13->setText(SchoolHeaderText(state.installation.SchoolName, state.session.CurrentStudent));
    Label11->setFont(japaneseFont(state.program.ProgramTitle.size() > 9 ? 20 : 24));
    Label11->setText(state.program.ProgramTitle);

    state.menu.FirstVisibleLevel =
        NormalizedFirstVisibleLevel(state.menu.FirstVisibleLevel, levels);
    {
        const QSignalBlocker block(HScroll1);
        HScroll1->setValue(state.menu.FirstVisibleLevel);
    }
    pageColumns();
    QCoreApplication::processEvents();
    if (watch.gone())
        return;

    for (int level : offeredLevels()) {
        const MenuColumn& c = columns_[size_t(level)];
        for (QLabel* l : {c.Label7, c.Label8})
            l->setStyleSheet(QStringLiteral("background: #e0e0e0; color: %1;").arg(kPanelText));
        if (isPracticeLevel(state.program, level))
            hideColumnResults(c);
        c.Label15->setText(TotalTallyText(state.Stats, state.session.CurrentStudent, level));
        c.Label14->setText(TodayTallyText(state.Stats, state.session.CurrentStudent, level));
    }

    for (int level : offeredLevels())
        columns_[size_t(level)].Command4->setEnabled(false);
    Command9_Click();

    offerAimedPractice();
    Picture2->hide();
    ProgressBar1->hide();
    context_.host.hideWaitNotice();
    QWidget* focused = QApplication::focusWidget();
    if (!focused || (focused != this && !isAncestorOf(focused)))
        setFocus();
    QCoreApplication::processEvents();
    if (watch.gone())
        return;
    MenuKeysEnabled = 1;
}

int Seisekitime1::offeredLevelCount() const {
    return std::clamp(state_.program.LevelCount, 0, kMaxLevel);
}

std::ranges::iota_view<int, int> Seisekitime1::offeredLevels() const {
    return std::views::iota(1, offeredLevelCount() + 1);
}

bool Seisekitime1::isOfferedLevel(int level) const {
    return level >= 1 && level <= offeredLevelCount();
}

bool Seisekitime1::reportFailure(const Error& error) {
    AppContext& context = context_;
    if (context.host.ending())
        return true; // a wait stopped because the program is ending: nothing to say
    const ScreenWatch watch(this);
    context.dialogs.show(state_.program.ProgramTitle, error.message, Dialogs::Buttons::Ok,
                         Dialogs::Icon::Critical);
    if (watch.gone())
        return true;
    if (error.endsProgram) {
        context.host.endProgram(1);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Column operations

void Seisekitime1::回数など表示() {
    for (int level : offeredLevels()) {
        const MenuColumn& c = columns_[size_t(level)];
        c.Label9->setText(QStringLiteral("今日"));
        c.Label10->setText(QStringLiteral("今まで"));
        c.List5->clear();
    }
}

void Seisekitime1::成績リスト色表示() {
    if (ResultsDisplayMode != 1 && ResultsDisplayMode != 2)
        return;
    for (int level : offeredLevels())
        成績リスト色表示単独(level);
}

void Seisekitime1::成績リスト色表示単独(int level) {
    if (!isOfferedLevel(level))
        return;
    columns_[size_t(level)].List5->setCurrentRow(-1);
}

void Seisekitime1::HScroll1_Change() {
    const MenuParts state = state_;
    state.menu.FirstVisibleLevel =
        ScrolledFirstVisibleLevel(HScroll1->value(), state.program.LevelCount);
    pageColumns();
}

// ---------------------------------------------------------------------------------------------
// The level rules

void Seisekitime1::Command9_Click() {
    const MenuParts state = state_;
    const LevelButtons buttons =
        ApplyLevelRules(state.program, state.Criteria, state.Stats, state.session);
    state.menu.LastLevelCleared = buttons.lastLevelCleared ? 1 : 0;
    for (int level : offeredLevels()) {
        const MenuColumn& c = columns_[size_t(level)];
        c.Command4->setEnabled(buttons.enabled[size_t(level)]);
        if (buttons.notice[size_t(level)]) {
            c.Text1->setText(kOveruseNotice);
            c.Text1->raise();
            c.Text1->show();
        } else {
            c.Text1->hide();
        }
    }
    Picture6->raise();
}

// ---------------------------------------------------------------------------------------------
// Starting a level, leaving, the password panel

void Seisekitime1::Command4_Click(int level) {
    if (Picture7->isVisible())
        return;
    if (!isOfferedLevel(level) || !columns_[size_t(level)].Command4->isEnabled())
        return;
    Picture2->raise();
    Picture2->show();
    state_.session.CurrentLevel = level;
    Picture2->repaint();
    const ScreenWatch watch(this);
    QCoreApplication::processEvents();
    if (watch.gone())
        return;
    MenuKeysEnabled = 0;
    if (context_.navigate.startRun)
        context_.navigate.startRun();
}

void Seisekitime1::Label3_Click(int level) {
    if (Picture7->isVisible())
        return;
    if (!isOfferedLevel(level) || !columns_[size_t(level)].Command4->isEnabled())
        return;
    state_.session.CurrentLevel = level;
    MenuKeysEnabled = 0;
    if (context_.navigate.startRun)
        context_.navigate.startRun();
}

void Seisekitime1::Command1_Click() {
    Picture2->raise();
    Picture2->show();
    Picture2->repaint();
    const ScreenWatch watch(this);
    QCoreApplication::processEvents();
    if (watch.gone())
        return;
    MenuKeysEnabled = 0;
    if (context_.navigate.showRosterForm)
        context_.navigate.showRosterForm();
}

void Seisekitime1::Command8_Click() {
    Picture7->show();
    Picture7->raise();
    Text3->setFocus();
}

void Seisekitime1::Command12_Click() {
    Picture7->hide();
}

void Seisekitime1::Command10_Click(int index) {
    const MenuParts state = state_;
    // A numeric password compares by its decimal digits; an empty one admits an empty box.
    if (Text3->text() != state.installation.TeacherPassword.toText()) {
        context_.dialogs.show(state.program.ProgramTitle,
                              QStringLiteral("パスワードを入力して下さい"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Warning);
        return;
    }
    const std::function<void()>& tool =
        index == 0 ? context_.navigate.showRecordsBrowser : context_.navigate.showCriteriaEditor;
    if (!tool) {
        context_.dialogs.show(state.program.ProgramTitle, kToolNotReady, Dialogs::Buttons::Ok,
                              Dialogs::Icon::Information);
        return;
    }
    tool();
}

void Seisekitime1::Combo1_Click() {
    // The class panel stays up and shows the group chosen.
    const bool classShown = mistakesPanel->isVisible();
    if (!Option2_Click(Option2[0]->isChecked() ? 0 : 1))
        return;
    if (classShown) {
        mistakesPanel->setGroupText(Combo1->currentText());
        mistakesPanel->show();
        mistakesPanel->raise();
        return;
    }
    QPushButton* first = columns_[1].Command4;
    if (first && first->isEnabled() && first->isVisible())
        first->setFocus();
}

void Seisekitime1::Combo2_Click() {
    if (!Option1[3]->isChecked())
        return;
    state_.menu.DateWindowChoice = Combo2->currentIndex() + 1;
    (void)Option1_Click(3);
}

// ---------------------------------------------------------------------------------------------
// The views

bool Seisekitime1::Option2_Click(int index) {
    Command17->hide();
    Picture11->hide();
    mistakesPanel->hide();
    Command1->setEnabled(false);
    for (int level : offeredLevels()) {
        columns_[size_t(level)].Command4->setEnabled(false);
        columns_[size_t(level)].List5->hide();
    }
    Picture6->show();
    Picture6->raise();
    Picture6->repaint();
    if (ActivationInProgress == 1)
        return true;
    int checked = 0;
    for (int k = 1; k <= 3 && !checked; ++k) {
        if (Option1[size_t(k)]->isChecked())
            checked = k;
    }
    const ViewChoice choice = chooseView(MenuView(index), checked, viewMemory());
    if (choice.chartButtonShown)
        Command17->show();
    if (choice.dateWindowBoxHidden)
        Combo2->hide();
    for (int k = 1; k <= 3; ++k) {
        if (!choice.subViewCaptions[size_t(k)].isEmpty())
            Option1[size_t(k)]->setText(choice.subViewCaptions[size_t(k)]);
    }
    if (choice.allRunsEnabled)
        Option1[3]->setEnabled(true);
    setViewMemory(choice.memory);
    if (choice.personalList) {
        // The chart's pupil and level lists are filled before the personal list is built.
        Picture11->fillLists();
        return showRunList(RunListView::Personal);
    }
    if (MenuView(index) == MenuView::Points)
        Picture6->repaint();
    return choice.subView == 0 || Option1_Click(choice.subView);
}

void Seisekitime1::beginView() {
    Command1->setEnabled(false);
    for (int level : offeredLevels()) {
        columns_[size_t(level)].Command4->setEnabled(false);
        columns_[size_t(level)].List5->hide();
    }
    Picture6->show();
    Picture6->raise();
    Combo2->hide();
    Picture1->setEnabled(false);
    Picture6->repaint();
}

void Seisekitime1::showListsOfOfferedLevels() {
    for (int level : offeredLevels()) {
        if (!isPracticeLevel(state_.program, level))
            columns_[size_t(level)].List5->show();
    }
}

void Seisekitime1::finishView() {
    Command1->setEnabled(true);
    Command9_Click();
    showListsOfOfferedLevels();
    Picture6->hide();
}

bool Seisekitime1::Option1_Click(int index) {
    beginView();
    const SubViewChoice choice = chooseSubView(index, viewMemory());
    setViewMemory(choice.memory);
    if (choice.menuProgressReset)
        ProgressBar1->setValue(0);
    if (const RankingKind* kind = std::get_if<RankingKind>(&choice.listing))
        showRanking(*kind);
    else if (!showRunList(std::get<RunListView>(choice.listing)))
        return false;
    finishView();
    return true;
}

MenuViewMemory Seisekitime1::viewMemory() const {
    return {ResultsDisplayMode, PointsRankingKind};
}

void Seisekitime1::setViewMemory(const MenuViewMemory& memory) {
    ResultsDisplayMode = memory.displayMode;
    PointsRankingKind = memory.pointsRankingKind;
}

void Seisekitime1::showRanking(RankingKind kind) {
    const MenuParts state = state_;
    const RankingView view =
        BuildRankingView(state.program, state.roster, state.Stats, state.session.CurrentStudent,
                         kind, Combo1->currentText());
    Label5->setText(view.title);
    ProgressBar2->setRange(0, std::max(offeredLevelCount(), 1));
    ProgressBar2->setValue(0);
    for (int level : offeredLevels()) {
        ProgressBar2->setValue(level);
        if (kind != RankingKind::Time)
            ProgressBar1->setValue(level);
        const MenuColumn& c = columns_[size_t(level)];
        const RankingViewLevel& ranked = view.levels[size_t(level)];
        if (kind == RankingKind::Time && isPracticeLevel(state.program, level)) {
            hideColumnResults(c);
            continue;
        }
        c.Label9->setText(QStringLiteral("今日"));
        c.Label10->setText(QStringLiteral("今まで"));
        c.List5->setLines(ranked.ranking.lines);
        // Keep the signed-in pupil's line in view: the line above it at the top of the list.
        if (ranked.ranking.scrollIndex)
            c.List5->scrollToRow(*ranked.ranking.scrollIndex, QAbstractItemView::PositionAtTop);
        else
            c.List5->scrollToTop();
        成績リスト色表示単独(level);
    }
    Picture1->setEnabled(true);
}

bool Seisekitime1::showRunList(RunListView view) {
    const MenuParts state = state_;
    回数など表示();
    RunListRequest request;
    request.view = view;
    request.dateWindowChoice = state.menu.DateWindowChoice;
    request.mode = ResultsDisplayMode == 2 ? RunLineMode::Points : RunLineMode::Time;
    request.groupText = Combo1->currentText();
    ResultsFile file = state.store.results(context_.waiter);
    // The busy panel is up; its bar follows a long reading back, and the window paints.
    file.setReadProgress(ReadingProgress(ProgressBar2));
    const ScreenWatch watch(this);
    Result<RunLists> lists = ReadRunLists(state.runListParts(), file, context_.clock, request);
    if (watch.gone())
        return false;
    if (!lists) {
        // The view only stops; the lists stay empty.
        if (reportFailure(lists.error()))
            return false;
    } else {
        Label5->setText(lists->title);
        state.menu.DateWindowDays = lists->dateWindowDays;
        // A run list opens at its first line, the oldest run.
        for (int level : offeredLevels()) {
            // The list makes its lines as they come into view.
            auto lines = std::make_shared<RunLines>(std::move(lists->levels[size_t(level)]));
            columns_[size_t(level)].List5->setLineSource(
                lines->size(), [lines](qsizetype row) { return (*lines)[row]; });
            columns_[size_t(level)].List5->scrollToTop();
        }
    }
    if (view == RunListView::Personal) {
        Picture6->hide();
        Command9_Click();
        showListsOfOfferedLevels();
        Command1->setEnabled(true);
        return true;
    }
    成績リスト色表示();
    Picture1->setEnabled(true);
    if (view == RunListView::AllRuns && lists.ok() && lists->dateWindowBoxShown)
        Combo2->show();
    return true;
}

void Seisekitime1::Command17_Click() {
    Picture11->setGradeGroupText(Combo1->currentText());
    Picture11->setPointsRankingKind(PointsRankingKind == 2 ? RankingKind::TodayPoints
                                                           : RankingKind::TotalPoints);
    Picture11->show();
    Picture11->raise();
    Picture11->showFor(state_.session.CurrentStudent);
}

void Seisekitime1::offerAimedPractice() {
    aimedPracticeButton->hide();
    aimedPractice_.reset();
    const MenuParts state = state_;
    if (IsTeacherName(state.session.StudentName) || !context_.navigate.startAimedPractice)
        return;
    const QDate firstDay = context_.clock.now().date().addDays(1 - kAimedPracticeDays);
    // An offer only: an answers file that cannot be read now offers nothing, without a word.
    const Result<AnswersRead> read = readAnswersSince(answersFile(state.installation), firstDay);
    if (!read)
        return;
    const Diagnosis diagnosis = diagnosisOf(read->records);
    std::vector<int> levels{state.session.CurrentLevel};
    for (int level : offeredLevels())
        levels.push_back(level);
    for (int level : levels) {
        if (!isOfferedLevel(level))
            continue;
        const std::vector<MistakeKind> kinds =
            diagnosis.systematicKinds(state.session.CurrentStudent, level);
        if (kinds.empty())
            continue;
        aimedPractice_ = AimedPractice{level, kinds.front()};
        aimedPracticeButton->setToolTip(
            QStringLiteral("%1の「%2」をもう一度練習します（筆算の形で10問）")
                .arg(state.program.LevelNames[size_t(level)], mistakeKindLabel(kinds.front())));
        aimedPracticeButton->show();
        return;
    }
}

void Seisekitime1::aimedPracticeButton_Click() {
    if (!aimedPractice_ || Picture7->isVisible() || !context_.navigate.startAimedPractice)
        return;
    state_.session.CurrentLevel = aimedPractice_->level;
    MenuKeysEnabled = 0;
    context_.navigate.startAimedPractice(int(aimedPractice_->kind));
}

void Seisekitime1::mistakesButton_Click() {
    Picture11->hide();
    mistakesPanel->showFor(Combo1->currentText());
}

// ---------------------------------------------------------------------------------------------
// Key shortcuts and clicks on labels

bool Seisekitime1::formKeyPress(const QString& text) {
    // Keys are off while the menu is prepared, after a start, and while the password panel is
    // open (a password may well contain digits, and "0" must not leave the menu then).
    if (MenuKeysEnabled != 1 || Picture7->isVisible() || text.size() != 1)
        return false;
    const MenuShortcut shortcut = ShortcutFor(text.at(0), state_.program.LevelCount);
    switch (shortcut.action) {
    case MenuShortcut::Action::StartLevel:
        // The class panel covers the start buttons: what cannot be seen is not started.
        if (!mistakesPanel->isVisible())
            Command4_Click(shortcut.level);
        return true;
    case MenuShortcut::Action::BackToRoster:
        if (Command1->isEnabled())
            Command1_Click();
        return true;
    case MenuShortcut::Action::None:
        break;
    }
    return false;
}

bool Seisekitime1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && formKeyPress(static_cast<QKeyEvent*>(event)->text()))
        return true;
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int level : offeredLevels()) {
            if (watched == columns_[size_t(level)].Label3) {
                Label3_Click(level);
                return true;
            }
        }
    }
    return Screen::eventFilter(watched, event);
}

void Seisekitime1::keyPressEvent(QKeyEvent* event) {
    if (!formKeyPress(event->text()))
        Screen::keyPressEvent(event);
}

} // namespace zanfolio
