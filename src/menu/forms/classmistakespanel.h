#pragma once
// The class panel of the results menu, for teachers ("間違いの傾向", beside "データ処理"):
// level by level, how often the pupils of the menu's grade group (Combo1) went wrong with
// decimals within a window of days, how many of them, and the kinds of mistake they made
// most (menu/mistakeviews.h). It stands over the view title and the level columns, as the
// chart panel does, until its "戻る".
//
// It only reads: the mistakes and answers files are read back to the window's first day when the
// panel opens and when a longer window is chosen; another grade group shows the figures again
// from what was read.
//
// "くり返す間違い" shows in the table's place, from the answers file of the same window, per level
// the pupils who go wrong the same way again and again (定着), "位取り：森大輝 5/7、佐藤蓮 4/6";
// "間違いの数" goes back to the table.
//
// Object names: "classMistakesPanel", "classMistakesHeading", "classMistakeWindow",
// "classMistakesTable", "classSystematicButton", "classSystematicHeading", "classSystematicList",
// "classMistakesNote", "classMistakesBack".

#include "menu/forms/menuparts.h"
#include "menu/mistakeviews.h"
#include "results/mistakerecord.h"

#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QStackedWidget;
class QTextEdit;

namespace zanfolio {

class Clock;
class Waiter;

class ClassMistakesPanel : public QWidget {
    Q_OBJECT

  public:
    ClassMistakesPanel(const MenuParts& state, const Clock& clock, Waiter& waiter,
                       QWidget* parent = nullptr);

    // Reads the mistakes file and shows the panel for the grade group, in the window of the
    // menu's date-window choice.
    void showFor(const QString& groupText);
    // The menu's grade group changed while the panel is up.
    void setGroupText(const QString& groupText);

  signals:
    void closed();

  private:
    void showFigures();
    // Every row as tall as its tallest cell at the columns' widths.
    void fitRows();

    MenuParts state_;
    const Clock& clock_;
    Waiter& waiter_;
    QString groupText_;
    WindowedMistakes mistakes_;         // read back to the chosen window's first day
    std::vector<AnswerRecord> answers_; // the answers of the chosen window
    // Reads what the chosen window needs; false when the panel is gone meanwhile.
    bool readWindow();
    QString failure_;        // why the mistakes file could not be read, or empty
    QString answersFailure_; // the same for the answers file

    QLabel* classMistakesHeading;
    QComboBox* classMistakeWindow;
    QTableWidget* classMistakesTable;
    // The counts (false) or the pupils who go wrong the same way (true), in the counts' place.
    void showSystematic(bool systematic);

    QStackedWidget* classPages;
    QPushButton* classSystematicButton;
    QLabel* classSystematicHeading;
    QTextEdit* classSystematicList; // the pupils with a systematic misconception, per level
    QLabel* classMistakesNote;
    QPushButton* classMistakesBack;
};

} // namespace zanfolio
