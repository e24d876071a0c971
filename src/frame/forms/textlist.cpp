#include "frame/forms/textlist.h"

#include <QStringListModel>

namespace zanfolio {

TextList::TextList(QWidget* parent) : QListView(parent), model_(new QStringListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
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
    model_->setStringList(lines);
    // The model's reset drops the current index without a word; say so, as a list box does.
    if (before != -1)
        emit currentRowChanged(-1);
}

QStringList TextList::lines() const {
    return model_->stringList();
}

int TextList::count() const {
    return model_->rowCount();
}

QString TextList::text(int row) const {
    return model_->data(model_->index(row), Qt::DisplayRole).toString();
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

void TextList::scrollToRow(int row, ScrollHint hint) {
    const QModelIndex index = model_->index(row);
    if (index.isValid())
        scrollTo(index, hint);
}

} // namespace zanfolio
