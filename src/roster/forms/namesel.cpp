#include "roster/forms/namesel.h"

#include "frame/datafiles.h"
#include "frame/daycount.h"
#include "frame/dialogs.h"
#include "frame/forms/fonts.h"
#include "frame/forms/screenhost.h"
#include "frame/forms/textlist.h"
#include "frame/launcher.h"
#include "frame/programdefinition.h"
#include "results/resultsstore.h"
#include "results/statistics.h"
#include "roster/grades.h"
#include "roster/launchercommand.h"
#include "roster/rosterfile.h"
#include "sound/sounds.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace zanfolio {

Namesel::Namesel(AppContext& context, RosterFormParts state) : context_(context), state_(state) {
    setObjectName(QStringLiteral("namesel"));
    buildControls();

    (void)名簿表示();
    Label4->setFont(japaneseFont(48));
    Label4->setText(state_.program.ProgramTitle);
    freshlyBuilt_ = true;
    Picture5->hide();
}

void Namesel::activate() {
    if (context_.host.ending())
        return;
    context_.host.setWindowTitle(QStringLiteral("Velmont")); // the installations' title, kept
    DisplayMode = 1;
    Option1[1]->setChecked(true);
    fillGradeGroups();
    state_.session.GradeGroupFilter = kAllGrades;
    // The load has just built this very list; any later activation (the version box closing)
    // rebuilds it with fresh statistics.
    if (!freshlyBuilt_ && !名簿表示())
        return;
    freshlyBuilt_ = false;
    reportSkippedLines();
    Label1->setText(kChooseYourName);
    Picture5->hide();
    context_.host.hideWaitNotice();
    List1->setFocus();
}

void Namesel::reportSkippedLines() {
    // Once per start: the teacher learns which lines to mend, the pupils are not held up again.
    const RosterFormParts state = state_;
    if (state.roster.RosterSkipsReported || list_.skippedLineNumbers.empty())
        return;
    state.roster.RosterSkipsReported = true;
    context_.dialogs.show(
        state.program.ProgramTitle,
        skippedRosterLinesMessage(rosterFile(state.installation), list_.skippedLineNumbers),
        Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
}

void Namesel::fillGradeGroups() {
    // Cleared first: the box holds its twelve entries once however often the form is activated.
    const QSignalBlocker block(Combo1);
    Combo1->clear();
    Combo1->addItems(nameListGradeGroups());
    Combo1->setCurrentIndex(0);
}

bool Namesel::名簿表示() {
    // The statistics pass and the roster's retries wait with the event loop running: the
    // window may be closed meanwhile, and the form deleted with it.
    AppContext& context = context_;
    const ScreenWatch watch(this);
    const RosterFormParts state = state_;
    const StatisticsPass statistics = [&context, &state]() -> Status {
        ResultsFile file = state.store.results(context.waiter);
        return ComputePupilStatistics(state.Stats, state.Criteria, file, context.clock);
    };
    const QString group = Combo1->count() > 0 ? Combo1->currentText() : kAllGrades;
    Result<NameList> built = zanfolio::名簿表示(state.roster, state.installation, state.Stats,
                                                NameListRequest{DisplayMode, group}, context.clock,
                                                context.waiter, statistics);
    if (watch.gone() || context.host.ending())
        return false;
    if (!built) {
        context.dialogs.show(state.program.ProgramTitle, built.error().message,
                             Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
        if (watch.gone())
            return false;
        if (built.error().endsProgram) {
            context.host.endProgram(1);
            return false;
        }
        return true;
    }
    list_ = std::move(built.value());
    {
        const QSignalBlocker block(List1);
        List1->setLines(list_.visibleRows);
        List1->setCurrentRow(0);
    }
    List1_Click();
    return true;
}

void Namesel::Option1_Click(int index) {
    DisplayMode = index;
    (void)名簿表示();
}

void Namesel::Combo1_Click() {
    state_.session.GradeGroupFilter = Combo1->currentText();
    if (名簿表示())
        List1->setFocus();
}

void Namesel::List1_Click() {
    showChosenPupil(List1->currentRow(), false);
}

void Namesel::List1_DblClick() {
    showChosenPupil(List1->currentRow(), true);
    Command14_Click();
}

void Namesel::showChosenPupil(int row, bool longLabel) {
    if (row <= 0) {
        // Label2 keeps the last number; Label1 tells the confirmation that nobody is chosen.
        Label1->setText(kChooseYourName);
        return;
    }
    const QString text = List1->text(row);
    const QString companion = list_.companionTexts.value(row - 1);
    if (longLabel) {
        const qsizetype slash = text.indexOf(u'/');
        Label1->setText(trimSpaces(trimSpaces(text).left(slash < 0 ? text.size() : slash)));
    } else {
        Label1->setText(trimSpaces(trimSpaces(text).left(10)));
    }
    const qsizetype star = companion.indexOf(u'*');
    Label2->setText(star < 0 ? QString() : companion.mid(star + 1));
}

void Namesel::Command14_Click() {
    const RosterFormParts state = state_;
    bool numberOk = false;
    const int pupil = Label2->text().toInt(&numberOk);
    if (Label1->text() == kChooseYourName || Label1->text().isEmpty() || !numberOk || pupil < 0 ||
        pupil > kMaxPupil) {
        const SoundOutcome outcome = state_.sounds.PlayWrongSound();
        if (outcome.endProgram) {
            context_.dialogs.show(outcome.title, outcome.message, Dialogs::Buttons::Ok,
                                  Dialogs::Icon::Critical);
            context_.host.endProgram(1);
        }
        return;
    }
    state.session.SignInTime = secondsSinceMidnight(context_.clock.now());
    state.session.CurrentStudent = pupil;
    state.session.StudentName = state.roster.RosterNames[size_t(pupil)];
    state.session.StudentGrade = state.roster.RosterGradeLabels[size_t(pupil)];
    Command14->hide();
    Picture5->show();
    Picture5->raise();
    Picture5->repaint();
    const ScreenWatch watch(this);
    QCoreApplication::processEvents();
    if (watch.gone())
        return;
    // DefineLevels: the level list, then the results menu.
    DefineLevelTables(state.program);
    if (context_.navigate.showResultsMenu)
        context_.navigate.showResultsMenu();
}

void Namesel::Command7_Click() {
    const LauncherCommand command = launcherCommand(state_.installation.AppDir);
    QString reason;
    if (!context_.launcher.startDetached(command.program, command.arguments, &reason)) {
        // The pupil stays on the roster form; a teacher can start the launcher by hand.
        context_.dialogs.show(state_.program.ProgramTitle,
                              QStringLiteral("プログラムメニューを起動できません。") + reason,
                              Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return;
    }
    context_.host.endProgram();
}

void Namesel::Label4_Click() {
    if (context_.navigate.showVersionBox)
        context_.navigate.showVersionBox();
}

bool Namesel::formKeyPress(const QString& text) {
    if (text == QStringLiteral("1") && Command14->isVisible()) {
        Command14_Click();
        return true;
    }
    if (text == QStringLiteral("0") && Command7->isVisible()) {
        Command7_Click();
        return true;
    }
    return false;
}

bool Namesel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease) {
        Label4_Click();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (formKeyPress(key->text()))
            return true;
        if (watched == List1 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                                 key->key() == Qt::Key_Space)) {
            Command14_Click();
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}

void Namesel::keyPressEvent(QKeyEvent* event) {
    if (!formKeyPress(event->text()))
        Screen::keyPressEvent(event);
}

} // namespace zanfolio
