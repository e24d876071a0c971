#pragma once
// FrmData, the records browser: every record of "成績累積データ.dat" as one line of List1, in
// file order; a double click opens the edit panel Picture3 for the line, where the teacher
// corrects the time or the pupil ("変更して記録") or deletes the record ("消去", after the
// question "本当に消去しますか"). After every change and delete the list is built afresh from
// the file. Below the list a free-text box with "印刷", and "ファイル化", the listed records as a
// CSV file.
//
// Failures (a results file held by another computer, a missing roster, a chooser text that
// names no pupil) are said in Japanese message boxes titled "注意"; nothing is written then.
// A missing roster still lists the records, without names.

#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"
#include "results/resultsrecord.h"
#include "teacher/forms/browserports.h"
#include "teacher/forms/teacherparts.h"
#include "teacher/recordlist.h"
#include "teacher/recordpages.h"

#include <array>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTextEdit;
class QWidget;

namespace zanfolio {

class TextList;

class FrmData : public Screen {
    Q_OBJECT

  public:
    // `ports`: the print and file dialogs; the platform's when null.
    FrmData(AppContext& context, TeacherParts state, BrowserPorts* ports = nullptr);
    ~FrmData() override;

    void SaveRecordChange();     // 変更して記録
    void DeleteSelectedRecord(); // 消去
    void ExportRecords();        // ファイル化
    void PrintText();            // 印刷

  private:
    // Tests read the list and the edit panel's state, and open the editor on any row.
    friend class FrmDataTestPeer;

    // The record numbers of the listed lines (rows of level 0 are hidden), reading the pages
    // of every record.
    std::vector<int> listedNumbers();
    int selectedRecord() const { return selectedRecord_; }
    bool editPanelVisible() const;

    // The double click on row `row` of List1 (0-based).
    void OpenRecordEditor(int row);

    // In frmdata_layout.cpp: the controls, their places and looks, their wiring.
    void buildControls();
    // Roster names and grade labels, the chooser, List1 and the count label, from the files.
    // False when the form is gone meanwhile (the window closed while the read waited).
    bool BuildRecordList();
    bool loadRoster(); // false when the form is gone meanwhile
    RecordListContext listContext() const;
    void selectRecordRow(int number);
    void hideEditPanel();
    // False when the form is gone meanwhile (or the program is ending: nothing is shown).
    bool showError(const QString& what, const QString& detail);

    void VScroll1_Change(int value);
    void Combo1_Click(int index);
    void Command4_Click(); // 戻る

    AppContext& context_;
    TeacherParts state_;
    std::unique_ptr<BrowserPorts> ownPorts_;
    BrowserPorts& ports_;

    QLabel* Label4;    // the record count, "総レコード数:"
    QLabel* Label5;    // the hint "ダブルクリックすると変更、消去できます"
    TextList* List1;   // one line per record, in file order
    QWidget* Picture3; // the edit panel of the record double-clicked
    QLabel* Label1;    // the record's number
    std::array<QLabel*, 5> Label2{}; // items 1 (level), 2 (date) and 4 (grade label)
    QLineEdit* Text1;                // the time in seconds, to correct
    QLabel* Label6;                  // "秒"
    QScrollBar* VScroll1;            // sets the time (up to 6000 s) into Text1
    QComboBox* Combo1;               // the pupil, to correct: "number name" from the roster
    QPushButton* Command2;           // "変更して記録": writes the corrected record
    QPushButton* Command3;           // "消去": deletes the record, after asking
    QPushButton* Command4;           // "戻る": back to the results menu
    QTextEdit* RichTextBox1;         // free text to print
    QPushButton* Command17;          // "印刷": prints the free text (or its selection)
    QPushButton* Command16;          // "ファイル化": the listed records as a CSV file
    QLabel* Label8;                  // "後で加工して印刷できます", under Command16

    // Per roster index, loaded by every build of the list.
    std::vector<QString> names_;
    std::vector<QString> gradeLabels_;
    bool rosterErrorShown_ = false;

    // The records, read and formatted a page at a time as the list shows them; row r is record
    // r + 1, and a row of level 0 is hidden once its page has been read.
    std::unique_ptr<RecordPages> pages_;
    std::vector<bool> hiddenRows_;
    bool pageErrorShown_ = false;
    // The list's line of `row`; hides the row when its record is of level 0.
    QString pageLine(int row);
    void hideLevelZeroRows(int firstRow, int lastRow);
    int selectedRecord_ = 0;
    ResultsRecord asRead_; // the shared record buffer: record selectedRecord_ as read
};

} // namespace zanfolio
