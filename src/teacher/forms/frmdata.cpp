#include "teacher/forms/frmdata.h"

#include "frame/clock.h"
#include "frame/datafiles.h"
#include "frame/dialogs.h"
#include "frame/forms/screenhost.h"
#include "frame/forms/textlist.h"
#include "frame/platformfile.h"
#include "frame/waiter.h"
#include "results/resultsstore.h"
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
#include <QTimer>
#include <algorithm>

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

FrmData::FrmData(AppContext& context, TeacherParts state, BrowserPorts* ports)
    : context_(context), state_(state),
      ownPorts_(ports ? nullptr : std::make_unique<PlatformBrowserPorts>()),
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
    return RecordListContext{state_.installation.SchoolName, state_.installation.SchoolCode, names_,
                             gradeLabels_};
}

bool FrmData::loadRoster() {
    std::fill(names_.begin(), names_.end(), QString());
    std::fill(gradeLabels_.begin(), gradeLabels_.end(), QString());
    Combo1->clear();
    Result<RosterFileContents> roster = readRosterFile(rosterFile(state_.installation));
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
                                        int(state_.installation.SchoolYearStartMonth.toNumber()));
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

namespace {

// The pages are read as the list scrolls, while it paints: such a read waits for nothing (a
// page another computer holds, or that cannot be read, shows empty lines and is said once).
class NoWaiting final : public Waiter {
  public:
    bool wait(int) override { return false; }
};

} // namespace

bool FrmData::BuildRecordList() {
    const InputPause pause(this);
    if (!loadRoster())
        return false;
    PatientWaiter waiter(context_.waiter, kPatienceMs);
    ResultsFile file = state_.store.results(waiter);
    const ScreenWatch watch(this);
    // The length and the first page, with the patience of someone opening the list.
    Result<qint64> length = file.byteLength();
    Result<QByteArray> firstPage =
        length ? file.readRange(0, std::min<qint64>(*length / ResultsRecord::kSize,
                                                    RecordPages::kPageRecords) *
                                       ResultsRecord::kSize)
               : Result<QByteArray>(length.error());
    if (watch.gone())
        return false;
    pages_.reset();
    hiddenRows_.clear();
    List1->clear();
    if (!firstPage) {
        // No list rather than a stale one whose numbers may no longer match the file.
        Label4->setText(QStringLiteral("総レコード数:"));
        hideEditPanel();
        return showError(QStringLiteral("成績ファイルを読めませんでした。"),
                         firstPage.error().message);
    }
    ResultsStore* store = &state_.store;
    pages_ = std::make_unique<RecordPages>(
        [store](qint64 offset, qint64 bytes) {
            NoWaiting noWaiting;
            return store->results(noWaiting).readRange(offset, bytes);
        },
        *length, listContext());
    pages_->keepPage(0, *firstPage);
    pageErrorShown_ = false;
    hiddenRows_.assign(size_t(pages_->rowCount()), false);
    List1->setLineSource(pages_->rowCount(), [this](qsizetype row) { return pageLine(int(row)); });
    Label4->setText(recordCountText(*length));
    // The first screen's rows are settled before the list shows.
    hideLevelZeroRows(0, std::min(pages_->rowCount(), RecordPages::kPageRecords) - 1);
    return true;
}

QString FrmData::pageLine(int row) {
    if (!pages_)
        return {};
    const QString line = pages_->line(row);
    if (line.isEmpty()) {
        if (pages_->lastError() && !pageErrorShown_) {
            pageErrorShown_ = true;
            const QString message = pages_->lastError()->message;
            QTimer::singleShot(0, this, [this, message] {
                showError(QStringLiteral("成績ファイルの一部を読めませんでした。"), message);
            });
        } else if (!pages_->lastError()) {
            // Asked while the list paints: hidden once the painting is done.
            const int first = row / RecordPages::kPageRecords * RecordPages::kPageRecords;
            QTimer::singleShot(0, this, [this, first] {
                if (pages_)
                    hideLevelZeroRows(
                        first, std::min(pages_->rowCount(), first + RecordPages::kPageRecords) - 1);
            });
        }
    }
    return line;
}

void FrmData::hideLevelZeroRows(int firstRow, int lastRow) {
    for (int row = firstRow; row <= lastRow; ++row) {
        if (hiddenRows_[size_t(row)] || pages_->levelOf(row) != 0 || pages_->lastError())
            continue;
        hiddenRows_[size_t(row)] = true;
        List1->setRowHidden(row, true);
    }
}

std::vector<int> FrmData::listedNumbers() {
    std::vector<int> numbers;
    if (!pages_)
        return numbers;
    hideLevelZeroRows(0, pages_->rowCount() - 1);
    for (int row = 0; row < pages_->rowCount(); ++row)
        if (!hiddenRows_[size_t(row)])
            numbers.push_back(RecordPages::numberOf(row));
    return numbers;
}

void FrmData::selectRecordRow(int number) {
    if (!pages_ || pages_->rowCount() == 0)
        return;
    // The row of `number`, or the first shown after it, or the last shown row.
    int row = std::clamp(RecordPages::rowOf(number), 0, pages_->rowCount() - 1);
    hideLevelZeroRows(row, std::min(pages_->rowCount(), row + RecordPages::kPageRecords) - 1);
    while (row < pages_->rowCount() && hiddenRows_[size_t(row)])
        ++row;
    if (row == pages_->rowCount()) {
        do
            --row;
        while (row > 0 && hiddenRows_[size_t(row)]);
    }
    List1->setCurrentRow(row);
    List1->scrollToRow(row);
}

void FrmData::hideEditPanel() {
    Picture3->hide();
}

void FrmData::OpenRecordEditor(int row) {
    const InputPause pause(this);
    if (!pages_ || row < 0 || row >= pages_->rowCount() || hiddenRows_[size_t(row)])
        return;
    const int n = RecordPages::numberOf(row);
    PatientWaiter waiter(context_.waiter, kPatienceMs);
    ResultsFile file = state_.store.results(waiter);
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
    ResultsFile file = state_.store.results(waiter);
    const ScreenWatch watch(this);
    const Status written = file.rewrite(n, *changed);
    if (watch.gone())
        return;
    if (!written) {
        showError(QStringLiteral("記録できませんでした。"), written.error().message);
        return;
    }
    // The same records, one of them changed: its page is read again as it comes into view, the
    // list keeps its rows. A file that has grown or shrunk meanwhile is listed anew.
    Result<qint64> length = file.byteLength();
    if (pages_ && length && *length == pages_->fileLength()) {
        pages_->reload(*length);
        List1->viewport()->update();
    } else if (!BuildRecordList()) {
        return;
    }
    selectRecordRow(n);
    // The panel shows the record as the file now holds it.
    const int row = RecordPages::rowOf(n);
    if (pages_ && row < pages_->rowCount() && !hiddenRows_[size_t(row)] &&
        pages_->levelOf(row) != 0) {
        OpenRecordEditor(row);
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
    ResultsFile file = state_.store.results(waiter);
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
    ResultsFile file = state_.store.results(waiter);
    const ScreenWatch watch(this);
    Result<ResultsTail> tail = file.readTail(0);
    if (watch.gone())
        return;
    if (!tail) {
        showError(QStringLiteral("成績ファイルを読めませんでした。"), tail.error().message);
        return;
    }
    const Status written = replaceFileAtomically(
        path, recordsCsv(*tail, listContext(), state_.program.LevelNames, state_.Criteria));
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
