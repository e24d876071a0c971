#pragma once
// A list box of text lines, as the screens' lists show them: every line the same height, the
// lines set all at once. It keeps the lines in a string model under a list view, so that a
// list of twenty thousand lines is filled and shown in a few milliseconds (a list widget makes
// and lays out one item object per line).
//
// The row API follows the list box: rows from 0, -1 for no current row.

#include <QListView>
#include <QStringList>

class QStringListModel;

namespace zanfolio {

class TextList : public QListView {
    Q_OBJECT

  public:
    explicit TextList(QWidget* parent = nullptr);

    // Replaces every line at once (one reset of the model); no row is current afterwards.
    void setLines(const QStringList& lines);
    QStringList lines() const;
    void clear() { setLines({}); }
    int count() const;
    QString text(int row) const;

    int currentRow() const;
    // Makes `row` current and selected (-1: none).
    void setCurrentRow(int row);
    void scrollToRow(int row, ScrollHint hint = EnsureVisible);

  signals:
    void currentRowChanged(int row);
    void rowClicked(int row);
    void rowDoubleClicked(int row);

  private:
    QStringListModel* model_;
};

} // namespace zanfolio
