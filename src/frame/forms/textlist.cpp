#include "frame/forms/textlist.h"

#include <QAbstractListModel>
#include <QStyleOptionViewItem>

namespace zanfolio {

// The lines: held as texts, or made by a function as the view asks for them.
class TextList::LineModel final : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;

    void setLines(const QStringList& lines) {
        beginResetModel();
        lines_ = lines;
        count_ = lines.size();
        source_ = nullptr;
        endResetModel();
    }
    void setSource(qsizetype count, std::function<QString(qsizetype)> source) {
        beginResetModel();
        lines_.clear();
        count_ = count;
        source_ = std::move(source);
        rowSize_ = QSize();
        endResetModel();
    }
    // The size of every row of a made list: the view lays out its rows as one size, and would
    // otherwise make a far row (a far page of the file) to measure it.
    void setRowSize(const QSize& size) { rowSize_ = size; }
    QString line(qsizetype row) const {
        if (row < 0 || row >= count_)
            return {};
        return source_ ? source_(row) : lines_[row];
    }
    // The view lays out a list by asking for every row's index: made here without the checks of
    // the general model.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override {
        if (row < 0 || row >= count_ || column != 0 || parent.isValid())
            return {};
        return createIndex(row, column);
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(count_);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::SizeHintRole && source_ && rowSize_.isValid())
            return rowSize_;
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return {};
        return line(index.row());
    }

  private:
    QStringList lines_;
    qsizetype count_ = 0;
    std::function<QString(qsizetype)> source_;
    QSize rowSize_;
};

TextList::TextList(QWidget* parent) : QListView(parent), model_(new LineModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    // A long list is laid out a batch of rows at a time, the rest as the event loop turns: a
    // list of millions shows at once and the window goes on painting.
    setLayoutMode(QListView::Batched);
    setBatchSize(kLayoutBatchRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.row()); });
    connect(this, &QListView::clicked, this,
            [this](const QModelIndex& index) { emit rowClicked(index.row()); });
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowDoubleClicked(index.row()); });
}

void TextList::setLines(const QStringList& lines) {
    const int before = currentRow();
    model_->setLines(lines);
    // The model's reset drops the current index without a word; say so, as a list box does.
    if (before != -1)
        emit currentRowChanged(-1);
}

void TextList::setLineSource(qsizetype count, std::function<QString(qsizetype)> line) {
    const int before = currentRow();
    model_->setSource(count, std::move(line));
    if (count > 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        model_->setRowSize(itemDelegate()->sizeHint(option, model_->index(0)));
    }
    if (before != -1)
        emit currentRowChanged(-1);
}

QStringList TextList::lines() const {
    QStringList out;
    for (int row = 0; row < count(); ++row)
        out << model_->line(row);
    return out;
}

int TextList::count() const {
    return model_->rowCount();
}

QString TextList::text(int row) const {
    return model_->line(row);
}

int TextList::currentRow() const {
    return currentIndex().row();
}

void TextList::setCurrentRow(int row) {
    const QModelIndex index = model_->index(row);
    if (!index.isValid()) {
        selectionModel()->clear();
        return;
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void TextList::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // A row beyond the rows laid out so far has no place yet: the rest are laid out first.
    if (index.isValid() && !isRowHidden(index.row()) && !visualRect(index).isValid() &&
        model_->rowCount() > kLayoutBatchRows) {
        setLayoutMode(QListView::SinglePass);
        doItemsLayout();
        setLayoutMode(QListView::Batched);
    }
    QListView::scrollTo(index, hint);
}

void TextList::scrollToRow(int row, ScrollHint hint) {
    const QModelIndex index = model_->index(row);
    if (index.isValid())
        scrollTo(index, hint);
}

} // namespace zanfolio
