#include "teacher/forms/frmdata.h"

#include "frame/clock.h"
#include "frame/datafiles.h"
#include "frame/dialogs.h"
#include "frame/forms/screenhost.h"
#include "frame/forms/textlist.h"
#include "frame/platformfile.h"
#include "frame/sharedstate.h"
#include "frame/waiter.h"
#include "results/resultsfile.h"
#include "roster/grades.h"
#include "roster/rosterfile.h"
#include "teacher/recordeditor.h"
#include "teacher/recordexport.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

namespace zanfolio {

namespace {

const QString kTitle = QStringLiteral("注意");

// The results file's writers retry for as long as their waiter lets them (an append must not
// be lost). The teacher, though, is sitting at the screen: after about ten seconds of another
// computer holding the file, or of a missing folder, the browser gives up and says so.
constexpr int kPatienceMs = 10000;

// While a file operation waits for the results file, the waiter lets events run: the form
// takes no input meanwhile, so a second click cannot change or delete a record twice. The
// window may be closed meanwhile too, and the form deleted with it (each operation then
// returns at once, ScreenWatch).
class InputPause {
  public:
    explicit InputPause(QWidget* form) : form_(form), wasEnabled_(form->isEnabled()) {
        form_->setEnabled(false);
    }
    ~InputPause() {
        if (form_)
            form_->setEnabled(wasEnabled_);
    }
    InputPause(const InputPause&) = delete;
    InputPause& operator=(const InputPause&) = delete;

  private:
    QPointer<QWidget> form_;
    bool wasEnabled_;
};

} // namespace

FrmData::FrmData(AppContext& context, BrowserPorts* ports)
    : context_(context), ownPorts_(ports ? nullptr : std::make_unique<PlatformBrowserPorts>()),
      ports_(ports ? *ports : *ownPorts_), names_(kPupilSlots), gradeLabels_(kPupilSlots) {
    setObjectName(QStringLiteral("FrmData"));
    buildControls();
    // The list filter is fixed to "すべて": every record is listed.
    (void)BuildRecordList();
}

FrmData::~FrmData() = default;

bool FrmData::editPanelVisible() const {
    return Picture3->isVisibleTo(this);
}

bool FrmData::showError(const QString& what, const QString& detail) {
    if (context_.host.ending())
        return false; // a wait stopped because the program is ending: nothing to say
    const ScreenWatch watch(this);
    context_.dialogs.show(kTitle, detail.isEmpty() ? what : what + u'\n' + detail,
                          Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
    return !watch.gone();
}

RecordListContext FrmData::listContext() const {
    return RecordListContext{context_.state.SchoolName, context_.state.SchoolCode, names_,
                             gradeLabels_};
}

bool FrmData::loadRoster() {
    std::fill(names_.begin(), names_.end(), QString());
    std::fill(gradeLabels_.begin(), gradeLabels_.end(), QString());
    Combo1->clear();
    Result<RosterFileContents> roster = readRosterFile(rosterFile(context_.state));
    if (!roster) {
        // The records are still worth seeing without names; said once per visit.
        if (!rosterErrorShown_ &&
            !showError(QStringLiteral("名簿を読めませんでした。名前なしで表示します。"),
                       roster.error().message))
            return false;
        rosterErrorShown_ = true;
        return true;
    }
    const int schoolYear = schoolYearOf(context_.clock.now().date(),
                                        int(context_.state.SchoolYearStartMonth.toNumber()));
    for (const RosterRecord& line : roster->lines) {
        if (line.Index < 0 || line.Index > kMaxPupil)
            continue;
        const size_t k = size_t(line.Index);
        names_[k] = trimSpaces(line.Name);
        const int g = gradeNumber(schoolYear, line.BirthYear);
        gradeLabels_[k] = hasGradeLabel(g) ? gradeLabel(g) : QString();
        Combo1->addItem(chooserItem(line.Index, names_[k]), line.Index);
    }
    return true;
}

bool FrmData::BuildRecordList() {
    const InputPause pause(this);
    if (!loadRoster())
        return false;
    PatientWaiter waiter(context_.waiter, kPatienceMs);
    ResultsFile file(resultsFile(context_.state), waiter);
    const ScreenWatch watch(this);
    Result<RecordList> built = zanfolio::BuildRecordList(file, listContext());
    if (watch.gone())
        return false;
    List1->clear();
    if (!built) {
        // No list rather than a stale one whose numbers may no longer match the file.
        list_ = RecordList{};
        Label4->setText(QStringLiteral("総レコード数:"));
        hideEditPanel();
        return showError(QStringLiteral("成績ファイルを読めませんでした。"), built.error().message);
    }
    list_ = std::move(*built);
    List1->setLines(list_.lines);
    Label4->setText(list_.countText);
    return true;
}

void FrmData::selectRecordRow(int number) {
    if (list_.numbers.empty())
        return;
    // The row of `number`, or the first after it, or the last row.
    int row = int(list_.numbers.size()) - 1;
    for (size_t i = 0; i < list_.numbers.size(); ++i)
        if (list_.numbers[i] >= number) {
            row = int(i);
            break;
        }
    List1->setCurrentRow(row);
    List1->scrollToRow(row);
}

void FrmData::hideEditPanel() {
    Picture3->hide();
}

void FrmData::OpenRecordEditor(int row) {
    const InputPause pause(this);
    if (row < 0 || size_t(row) >= list_.numbers.size())
        return;
    const int n = list_.numbers[size_t(row)];
    PatientWaiter waiter(context_.waiter, kPatienceMs);
    ResultsFile file(resultsFile(context_.state), waiter);
    const ScreenWatch watch(this);
    Result<ResultsRecord> record = file.read(n);
    if (watch.gone())
        return;
    if (!record) {
        showError(QStringLiteral("記録を読めませんでした。"), record.error().message);
        return;
    }
    asRead_ = *record;
    selectedRecord_ = n;
    const RecordEditorValues v = recordEditorValues(n, asRead_, listContext());
    Label1->setText(v.Label1);
    Label2[1]->setText(v.levelText);
    Label2[2]->setText(v.dateText);
    Label2[4]->setText(v.gradeText);
    {
        // The bar stops at 6000; the box shows the real time (a time-out's 99999 included).
        const QSignalBlocker quiet(VScroll1);
        VScroll1->setValue(v.VScroll1);
    }
    Text1->setText(v.Text1);
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(v.Combo1);
    Command2->setEnabled(true);
    Command3->setEnabled(true);
    Picture3->show();
    Picture3->raise();
}

void FrmData::VScroll1_Change(int value) {
    Text1->setText(QString::number(value));
}

void FrmData::Combo1_Click(int index) {
    const int pupil = Combo1->itemData(index).toInt();
    if (pupil >= 0 && size_t(pupil) < gradeLabels_.size())
        Label2[4]->setText(gradeLabels_[size_t(pupil)].trimmed());
}

void FrmData::SaveRecordChange() {
    const InputPause pause(this);
    if (selectedRecord_ < 1 || !editPanelVisible())
        return;
    Result<ResultsRecord> changed = changedRecord(asRead_, Text1->text(), Combo1->currentText());
    if (!changed) {
        showError(changed.error().message, QString());
        return;
    }
    const int n = selectedRecord_;
    PatientWaiter waiter(context_.waiter, kPatienceMs);
    ResultsFile file(resultsFile(context_.state), waiter);
    const ScreenWatch watch(this);
    const Status written = file.rewrite(n, *changed);
    if (watch.gone())
        return;
    if (!written) {
        showError(QStringLiteral("記録できませんでした。"), written.error().message);
        return;
    }
    if (!BuildRecordList())
        return;
    selectRecordRow(n);
    // The panel shows the record as the file now holds it.
    for (size_t row = 0; row < list_.numbers.size(); ++row)
        if (list_.numbers[row] == n) {
            OpenRecordEditor(int(row));
            return;
        }
    hideEditPanel();
}

void FrmData::DeleteSelectedRecord() {
    const InputPause pause(this);
    if (selectedRecord_ < 1 || !editPanelVisible())
        return;
    const Dialogs::Answer answer =
        context_.dialogs.show(kTitle, QStringLiteral("本当に消去しますか"),
                              Dialogs::Buttons::OkCancel, Dialogs::Icon::Question);
    if (answer != Dialogs::Answer::Ok)
        return;
    const int n = selectedRecord_;
    PatientWaiter waiter(context_.waiter, kPatienceMs);
    ResultsFile file(resultsFile(context_.state), waiter);
    const ScreenWatch watch(this);
    const Status removed = file.remove(n);
    if (watch.gone())
        return;
    if (!removed) {
        showError(QStringLiteral("消去できませんでした。"), removed.error().message);
        return;
    }
    // Record n is now the one that followed: the panel must not write or delete it unseen.
    selectedRecord_ = 0;
    hideEditPanel();
    if (BuildRecordList())
        selectRecordRow(n);
}

void FrmData::ExportRecords() {
    const QString path =
        ports_.chooseExportFile(this, QDir::homePath() + QStringLiteral("/成績累積データ.csv"));
    if (path.isEmpty())
        return;
    const InputPause pause(this);
    PatientWaiter waiter(context_.waiter, kPatienceMs);
    ResultsFile file(resultsFile(context_.state), waiter);
    const ScreenWatch watch(this);
    Result<ResultsTail> tail = file.readTail(0);
    if (watch.gone())
        return;
    if (!tail) {
        showError(QStringLiteral("成績ファイルを読めませんでした。"), tail.error().message);
        return;
    }
    const Status written = replaceFileAtomically(
        path, recordsCsv(*tail, listContext(), context_.state.LevelNames, context_.state.Criteria));
    if (!written) {
        showError(QStringLiteral("ファイル化できませんでした。"), written.error().message);
        return;
    }
    context_.dialogs.show(QStringLiteral("ファイル化"),
                          QStringLiteral("ファイルに書き出しました。") + u'\n' +
                              QDir::toNativeSeparators(path),
                          Dialogs::Buttons::Ok, Dialogs::Icon::Information);
}

void FrmData::PrintText() {
    ports_.printTextBox(this, *RichTextBox1, RichTextBox1->textCursor().hasSelection());
}

void FrmData::Command4_Click() {
    if (context_.navigate.showResultsMenu)
        context_.navigate.showResultsMenu();
}

} // namespace zanfolio
