#pragma once
// A list box of text lines, as the screens' lists show them: every line the same height, the
// lines set all at once. It keeps the lines in a model of its own under a list view, so that a
// list of twenty thousand lines is filled and shown in a few milliseconds (a list widget makes
// and lays out one item object per line), and a list of millions can make its lines only as
// they come into view.
//
// The row API follows the list box: rows from 0, -1 for no current row.

#include <QListView>
#include <QStringList>
#include <functional>

namespace zanfolio {

class TextList : public QListView {
    Q_OBJECT

  public:
    // Rows laid out at once; a longer list lays out the rest as the event loop turns.
    static constexpr int kLayoutBatchRows = 20000;

    explicit TextList(QWidget* parent = nullptr);

    // Replaces every line at once (one reset of the model); no row is current afterwards.
    void setLines(const QStringList& lines);
    // The same for `count` lines made as they are shown (a list of millions of lines keeps no
    // text of its own); `line` is asked only for rows in view.
    void setLineSource(qsizetype count, std::function<QString(qsizetype row)> line);
    QStringList lines() const;
    void clear() { setLines({}); }
    int count() const;
    QString text(int row) const;

    int currentRow() const;
    // Makes `row` current and selected (-1: none).
    void setCurrentRow(int row);
    void scrollToRow(int row, ScrollHint hint = EnsureVisible);
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  signals:
    void currentRowChanged(int row);
    void rowClicked(int row);
    void rowDoubleClicked(int row);

  private:
    class LineModel;
    LineModel* model_;
};

} // namespace zanfolio
