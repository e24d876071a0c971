#pragma once
// FrmTimeData, the criteria editor: "タイム回数データ.txt" in a grid, one row per level and one
// column per field, edited from the keyboard through a text box laid over the current cell,
// with the column's explanation and, beside the grid, how the results of the current row's
// level are spread over time.
//
// The grid MSFlexGrid1 has 13 columns: column 0 the level number, columns 1 to 12 the twelve
// fields; row 0 is the fixed caption row ("レベル", the nine captions, three empty cells) and
// rows 1 to N the levels of the file. The current cell is never in row 0 or column 0.
//
// All typing goes into Gridinputtext and is copied into the cell on every change; a cell whose
// text changes that way turns yellow and sets the changed mark, which only "更新記録" clears.
// Shift + Down copies the box's text down the current column without marking anything. Nothing
// is written to the file before "更新記録"; a save that fails leaves the file, the grid and the
// mark as they were and says so.

#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"
#include "results/criteria.h"
#include "teacher/distribution.h"
#include "teacher/forms/teacherparts.h"

#include <vector>

class QFont;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QWidget;

namespace zanfolio {

class FrmTimeData : public Screen {
    Q_OBJECT

  public:
    static constexpr int kColumns = 13;
    static constexpr int kLastField = 12;

    FrmTimeData(AppContext& context, TeacherParts state);

    // LoadGrid, row 1 column 1, the text box over it, the distribution.
    void activate() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Tests read the form state below.
    friend class FrmTimeDataTestPeer;

    int changedMark() const { return changedMark_; }
    int levelRows() const { return levelRows_; }
    int currentRow() const { return row_; }
    int currentColumn() const { return col_; }
    int selectionLastRow() const { return rowSel_; }
    // How often the panel was rebuilt (tests count the refreshes of the keys).
    int distributionRuns() const { return distributionRuns_; }
    int distributionReads() const { return distribution_.passes(); }

    // The height of a grid row in pixels, the caption row's too.
    static constexpr int kRowHeight = 20;
    // The caption of the level column, cell (0, 0).
    static inline const QString kLevelCaption = QStringLiteral("レベル");

    // In frmtimedata_layout.cpp: the controls, their places and looks, their wiring.
    void buildControls();
    // The columns' widths: each caption on one line.
    void sizeColumns();
    // The font of the grid's fixed cells: the caption row and the level column.
    static QFont fixedCellFont();

    // Keeps its real name: runs on every change of the text box.
    void TextToGrid転送();
    void GridToText転送();
    void PlaceEditor();
    // False when the form is gone meanwhile (the window closed while the read waited).
    bool ShowDistribution();
    // "元に戻す": the grid from the file (the changed mark stays). False when the file could
    // not be read; the grid is then left as it was.
    bool LoadGrid();
    // "更新記録". False when the file could not be written (a message has been shown).
    bool SaveGrid();

    void Command2_Click(); // 元に戻す
    void Command3_Click(); // 更新記録
    void Command4_Click(); // 戻る
    void Option1_Click(int index);
    void MSFlexGrid1_Click(int row, int column);

    // The key table of the text box; true when the key was consumed.
    bool Gridinputtext_KeyDown(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    void setCurrentCell(int row, int column);
    void showSelection();
    void placeEditorGeometry();
    void showWaitNotice(bool visible);
    std::vector<CriteriaRow> levelRowTexts() const;

    AppContext& context_;
    TeacherParts state_;

    QTableWidget* MSFlexGrid1; // the criteria grid: caption row 0, level column 0, 12 fields
    QLineEdit* Gridinputtext;  // the text box over the current cell; all typing goes here
    QLabel* Label1;            // the keys' help: space clears a cell, Shift + Down copies down
    QLabel* Label2;            // the screen's instructions at the top
    QLabel* Label3;            // the explanation of the current cell's column
    QLabel* Label6;            // Label3's caption "列の説明"
    QPushButton* Command2;     // "元に戻す": the grid from the file again
    QPushButton* Command3;     // "更新記録": saves the grid
    QPushButton* Command4;     // "戻る": to the results menu, after asking about unsaved edits
    QLabel* savedNotice;       // "記録しました。" after a save, until the next typed change
    QRadioButton* Option1[2]; // "度数表示" shows the distribution panel, "度数非表示" hides it
    QWidget* Picture3;        // the distribution panel of the current row's level
    QLabel* Label7;           // its title "現在までの成績度数分布"
    QLabel* Label9;           // List3's caption "全成績"
    QLabel* Label10;          // List4's caption "最高タイム"
    QListWidget* List3;       // every result of the level, by ten-second steps
    QListWidget* List4;       // each pupil's best time on the level, by ten-second steps
    QLabel* Picture6;         // the wait notice with its text (Label8) while saving, leaving

    int changedMark_ = 0;
    int levelRows_ = 0;
    int row_ = 1;
    int col_ = 1;
    int rowSel_ = 1; // the last row of the extended selection (Shift + Down)
    int distributionRuns_ = 0;
    // The distribution of every level, read again only when the results file has changed.
    DistributionCache distribution_;
};

} // namespace zanfolio
