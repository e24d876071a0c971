#include "teacher/forms/frmtimedata.h"

#include "frame/datafiles.h"
#include "frame/dialogs.h"
#include "frame/forms/fonts.h"
#include "frame/forms/readingprogress.h"
#include "results/criteria.h"
#include "results/resultsstore.h"
#include "teacher/columnexplanations.h"
#include "teacher/distribution.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <algorithm>

namespace zanfolio {

namespace {

// The grid's colour for a cell changed by typing: &H00FFFF, yellow.
const QColor kChangedColour(255, 255, 0);
// The fixed caption row and level column, in the grey of a fixed grid cell.
const QColor kFixedColour(212, 208, 200);
const QColor kCellColour(255, 255, 255);

// The caret goes after the tenth character (the end of any shorter value).
constexpr int kCaretColumn = 10;

const QString kTitle = QStringLiteral("注意");

} // namespace

FrmTimeData::FrmTimeData(AppContext& context, TeacherParts state)
    : context_(context), state_(state) {
    setObjectName(QStringLiteral("FrmTimeData"));
    buildControls();
}

void FrmTimeData::activate() {
    LoadGrid();
    if (levelRows_ >= 1)
        setCurrentCell(1, 1);
    PlaceEditor();
    GridToText転送();
    ShowDistribution();
}

bool FrmTimeData::LoadGrid() {
    Result<std::vector<CriteriaRow>> rows = readCriteriaRows(criteriaFile(state_.installation));
    if (!rows) {
        context_.dialogs.show(
            kTitle, QStringLiteral("基準データを読めませんでした。") + u'\n' + rows.error().message,
            Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return false;
    }
    // Line 0 of the file is read and ignored: the caption row always shows the standard captions.
    const int levels = std::max(0, int(rows->size()) - 1);
    MSFlexGrid1->clearContents();
    MSFlexGrid1->setRowCount(1 + levels);
    const CriteriaRow captions = standardCriteriaCaptions();
    auto fixedItem = [](const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setFont(fixedCellFont());
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(kFixedColour);
        item->setTextAlignment(Qt::AlignCenter);
        return item;
    };
    MSFlexGrid1->setItem(0, 0, fixedItem(kLevelCaption));
    for (int c = 1; c <= kLastField; ++c)
        MSFlexGrid1->setItem(0, c, fixedItem(captions[size_t(c - 1)]));
    for (int k = 1; k <= levels; ++k) {
        MSFlexGrid1->setItem(k, 0, fixedItem(QString::number(k)));
        for (int c = 1; c <= kLastField; ++c) {
            auto* item = new QTableWidgetItem((*rows)[size_t(k)][size_t(c - 1)]);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setBackground(kCellColour);
            MSFlexGrid1->setItem(k, c, item);
        }
    }
    levelRows_ = levels;
    savedNotice->hide();
    row_ = std::clamp(row_, 1, std::max(1, levelRows_));
    rowSel_ = row_;
    return true;
}

std::vector<CriteriaRow> FrmTimeData::levelRowTexts() const {
    std::vector<CriteriaRow> rows(static_cast<size_t>(levelRows_));
    for (int r = 1; r <= levelRows_; ++r)
        for (int c = 1; c <= kLastField; ++c) {
            const QTableWidgetItem* item = MSFlexGrid1->item(r, c);
            rows[size_t(r - 1)][size_t(c - 1)] = item ? item->text() : QString();
        }
    return rows;
}

bool FrmTimeData::SaveGrid() {
    if (QTableWidgetItem* corner = MSFlexGrid1->item(0, 0))
        corner->setText(kLevelCaption);
    showWaitNotice(true);
    // A temporary file renamed over the old one: a failure leaves the old file whole, and the
    // criteria in effect stay those of the old file.
    const Status saved =
        SaveCriteriaTable(criteriaFile(state_.installation), levelRowTexts(), state_.Criteria);
    showWaitNotice(false);
    if (!saved) {
        context_.dialogs.show(
            kTitle,
            QStringLiteral("記録できませんでした。変更はまだ記録されていません。") + u'\n' +
                saved.error().message,
            Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return false;
    }
    changedMark_ = 0;
    // Saved: the cells lose their marks, and the screen says so.
    for (int r = 1; r <= levelRows_; ++r)
        for (int c = 1; c <= kLastField; ++c)
            if (QTableWidgetItem* item = MSFlexGrid1->item(r, c))
                item->setBackground(kCellColour);
    savedNotice->show();
    return true;
}

void FrmTimeData::showWaitNotice(bool visible) {
    Picture6->setVisible(visible);
    if (visible) {
        Picture6->raise();
        Picture6->repaint();
    }
}

void FrmTimeData::TextToGrid転送() {
    if (levelRows_ < 1)
        return;
    QTableWidgetItem* item = MSFlexGrid1->item(row_, col_);
    if (!item)
        return;
    const QString text = Gridinputtext->text();
    const QString refusal = criteriaCellRefusal(text);
    if (!refusal.isEmpty()) {
        // The cell keeps its text; the caret stays where the refused characters went in.
        const int caret = Gridinputtext->cursorPosition() - int(text.size() - item->text().size());
        {
            const QSignalBlocker block(Gridinputtext);
            Gridinputtext->setText(item->text());
            Gridinputtext->setCursorPosition(std::max(caret, 0));
        }
        context_.dialogs.show(kTitle, refusal, Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return;
    }
    if (text != item->text()) {
        item->setBackground(kChangedColour);
        changedMark_ = 1;
        savedNotice->hide();
    }
    item->setText(text);
}

void FrmTimeData::GridToText転送() {
    if (levelRows_ < 1)
        return;
    const QTableWidgetItem* item = MSFlexGrid1->item(row_, col_);
    Gridinputtext->setText(item ? item->text() : QString());
    Gridinputtext->setCursorPosition(
        std::min<int>(kCaretColumn, int(Gridinputtext->text().size())));
}

void FrmTimeData::placeEditorGeometry() {
    if (levelRows_ < 1 || !MSFlexGrid1->item(row_, col_))
        return;
    Gridinputtext->setGeometry(MSFlexGrid1->visualItemRect(MSFlexGrid1->item(row_, col_)));
}

void FrmTimeData::PlaceEditor() {
    if (levelRows_ < 1) {
        // A file without level lines: nothing to edit.
        Gridinputtext->hide();
        Label3->clear();
        return;
    }
    MSFlexGrid1->scrollToItem(MSFlexGrid1->item(row_, col_));
    placeEditorGeometry();
    Gridinputtext->show();
    Gridinputtext->raise();
    Gridinputtext->setFocus();
    Gridinputtext->setCursorPosition(
        std::min<int>(kCaretColumn, int(Gridinputtext->text().size())));
    Label3->setText(columnExplanation(col_));
}

void FrmTimeData::setCurrentCell(int row, int column) {
    row_ = row;
    col_ = column;
    rowSel_ = row;
    showSelection();
}

void FrmTimeData::showSelection() {
    if (levelRows_ < 1)
        return;
    QItemSelectionModel* model = MSFlexGrid1->selectionModel();
    const QModelIndex current = MSFlexGrid1->model()->index(row_, col_);
    const QModelIndex last = MSFlexGrid1->model()->index(rowSel_, col_);
    model->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    model->select(QItemSelection(current, last), QItemSelectionModel::ClearAndSelect);
}

void FrmTimeData::MSFlexGrid1_Click(int row, int column) {
    // The caption row and the level column are fixed: a click there leaves the current cell.
    if (row >= 1 && row <= levelRows_ && column >= 1 && column <= kLastField)
        setCurrentCell(row, column);
    else
        showSelection();
    PlaceEditor();
    if (ShowDistribution())
        GridToText転送();
}

bool FrmTimeData::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Gridinputtext && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        return Gridinputtext_KeyDown(key->key(), key->modifiers(), key->text());
    }
    return Screen::eventFilter(watched, event);
}

bool FrmTimeData::Gridinputtext_KeyDown(int key, Qt::KeyboardModifiers modifiers,
                                        const QString& text) {
    if (levelRows_ < 1) // the box is hidden then; nothing to move to
        return false;
    switch (key) {
    case Qt::Key_Up:
        if (row_ > 1) {
            setCurrentCell(row_ - 1, col_);
            GridToText転送();
            PlaceEditor();
        }
        break;
    case Qt::Key_Down:
        if (modifiers & Qt::ShiftModifier) {
            // Copies down the column. They are not typed changes: no colour, no mark.
            if (rowSel_ < levelRows_) {
                ++rowSel_;
                const QString copied = Gridinputtext->text();
                for (int r = row_; r <= rowSel_; ++r)
                    if (QTableWidgetItem* item = MSFlexGrid1->item(r, col_))
                        item->setText(copied);
                showSelection();
            }
        } else if (row_ < levelRows_) {
            setCurrentCell(row_ + 1, col_);
            GridToText転送();
            PlaceEditor();
        }
        break;
    case Qt::Key_Left:
        if (col_ > 1) {
            setCurrentCell(row_, col_ - 1);
            GridToText転送();
            PlaceEditor();
        }
        break;
    case Qt::Key_Right:
        if (col_ < kLastField) {
            setCurrentCell(row_, col_ + 1);
            GridToText転送();
            PlaceEditor();
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        break;
    case Qt::Key_Escape:
        return true;
    default:
        if (text == QStringLiteral(" ")) {
            // Space clears the cell (through TextToGrid転送, so it counts as a change).
            Gridinputtext->clear();
            break;
        }
        return false;
    }
    if (ShowDistribution())
        GridToText転送();
    return true;
}

bool FrmTimeData::ShowDistribution() {
    ++distributionRuns_;
    List3->clear();
    List4->clear();
    if (levelRows_ < 1)
        return true;
    ResultsFile file = state_.store.results(context_.waiter);
    // Reading every record takes its time on a big file: the wait notice shows once it is
    // slow, and the window paints.
    ReadingProgress progress(nullptr, [this] { showWaitNotice(true); });
    file.setReadProgress([&progress](qint64 done, qint64 most) { progress(done, most); });
    // The read waits while the file cannot be read: the window may be closed meanwhile.
    const ScreenWatch watch(this);
    Result<DistributionLists> lists = distribution_.lists(file, row_);
    if (watch.gone())
        return false;
    if (progress.wasSlow())
        showWaitNotice(false);
    if (!lists) {
        // Said in the panel, not in a box: the panel is rebuilt on every key.
        List3->addItem(QStringLiteral("成績ファイルを読めません。"));
        List3->addItem(lists.error().message);
        return true;
    }
    List3->addItems(lists->List3);
    List4->addItems(lists->List4);
    return true;
}

void FrmTimeData::Command2_Click() {
    if (!LoadGrid())
        return;
    // The box would otherwise keep the discarded text and write it back at the next key.
    if (levelRows_ >= 1)
        setCurrentCell(row_, col_);
    GridToText転送();
    PlaceEditor();
    (void)ShowDistribution();
}

void FrmTimeData::Command3_Click() {
    SaveGrid();
    PlaceEditor();
}

void FrmTimeData::Command4_Click() {
    if (changedMark_ == 1) {
        const Dialogs::Answer answer = context_.dialogs.show(
            kTitle, QStringLiteral("データが変更されています。記録しますか？"),
            Dialogs::Buttons::YesNo, Dialogs::Icon::Question);
        // A failed save keeps the teacher here with the edits, rather than losing them.
        if (answer == Dialogs::Answer::Yes && !SaveGrid())
            return;
    }
    showWaitNotice(true);
    if (context_.navigate.showResultsMenu)
        context_.navigate.showResultsMenu();
}

void FrmTimeData::Option1_Click(int index) {
    Picture3->setVisible(index == 0);
    if (index == 0 && !ShowDistribution())
        return;
    PlaceEditor();
}

} // namespace zanfolio
