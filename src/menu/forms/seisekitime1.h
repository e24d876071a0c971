#pragma once
// The results menu `seisekitime1`: one column per level (number, name, start button, tallies,
// results list, target), the header (title, pupil, school, minutes since sign-in, runs today),
// the view controls, the back button and, for a teacher, the password panel in front of the
// teacher tools and the class panel of the mistakes with decimals ("間違いの傾向", no
// password: it changes nothing, and like the chart panel it only shows figures). Every rule comes
// from the menu's logic (menulabels, levelrules, levelranking, runlists, columnlayout,
// keyshortcuts); the form shows what they compute.
//
// Object names are the control names (each glossed at its member below); the level columns'
// control arrays are named "<control>_<level>" (menucolumns.h), the option rows
// "Option2_0".."Option2_2" and "Option1_1".."Option1_3", the password buttons "Command10_0"
// and "Command10_1".
// Keys typed on the form: "1".."9", "a".."d" start a level, "0" goes back to the roster form;
// keys are ignored while the menu is being prepared and while the password panel is open.
//
// Positions of the level columns follow the designs in twips (columnlayout.h), converted
// with twips(); the form is 1024 × 768 pixels, 15360 × 11520 twips.

#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"
#include "menu/forms/menucolumns.h"
#include "menu/forms/menuparts.h"
#include "menu/levelranking.h"
#include "menu/menuview.h"
#include "menu/runlists.h"
#include "results/mistakerecord.h"

#include <array>
#include <optional>
#include <ranges>

class QComboBox;
namespace zanfolio {
class ChartPanel;
class ClassMistakesPanel;
} // namespace zanfolio
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace zanfolio {

class Seisekitime1 : public Screen {
    Q_OBJECT

  public:
    // Building the menu (the form's load).
    Seisekitime1(AppContext& context, MenuParts state);
    // Activation: statistics, tallies, the points view with "累計順", the level rules.
    void activate() override;

    // The views' column operations.
    void 回数など表示();
    void 成績リスト色表示();
    void 成績リスト色表示単独(int level);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Tests read the display mode and whether the keys start levels.
    friend class Seisekitime1TestPeer;

    int resultsDisplayMode() const { return ResultsDisplayMode; }
    bool menuKeysEnabled() const { return MenuKeysEnabled == 1; }

    // In seisekitime1_layout.cpp: the controls, their places and looks, their wiring.
    void buildControls();
    void buildHeader();
    void buildViewControls();
    void buildPanels();
    void buildColumns();
    // Places the level columns from FirstVisibleLevel on (the paging of HScroll1).
    void pageColumns();

    void Command4_Click(int level);
    void Label3_Click(int level);
    void Command1_Click();
    void Command8_Click();
    void Command10_Click(int index);
    void Command12_Click();
    void Combo1_Click();
    void Combo2_Click();
    // The views may wait for the results file: false when the menu is gone meanwhile (the
    // window closed), and the caller returns at once.
    bool Option2_Click(int index);
    bool Option1_Click(int index);
    void HScroll1_Change();
    void Command17_Click();
    void mistakesButton_Click();
    // "弱点練習": offered when the signed-in pupil's answers of the last kAimedPracticeDays show
    // a systematic way of working (results/diagnosis.h) on the level last run, else on the first
    // offered level that has one; starts aimed practice against its first kind.
    void offerAimedPractice();
    void aimedPracticeButton_Click();
    // Command9: the level unlock and overuse rules.
    void Command9_Click();
    bool formKeyPress(const QString& text);

    // The view steps.
    void showRanking(RankingKind kind);
    bool showRunList(RunListView view);
    void beginView();
    void finishView();
    void showListsOfOfferedLevels();
    // ResultsDisplayMode and PointsRankingKind, as menu/menuview.h takes and gives them.
    MenuViewMemory viewMemory() const;
    void setViewMemory(const MenuViewMemory& memory);
    // Shows the error; true when the caller must stop (the program ends, or the menu is gone).
    bool reportFailure(const Error& error);

    // The levels the menu offers, a column each: 1 to LevelCount, at most kMaxLevel.
    int offeredLevelCount() const;
    std::ranges::iota_view<int, int> offeredLevels() const;
    bool isOfferedLevel(int level) const;

    AppContext& context_;
    MenuParts state_;
    int MenuKeysEnabled = 0;
    int ResultsDisplayMode = 0;
    int PointsRankingKind = 0;
    int ActivationInProgress = 0;

    // Template widths and the column reference, in twips.
    int columnWidth_ = 0;
    double referenceLeft_ = 0;
    int columnTop_ = 0;
    std::array<MenuColumn, kLevelSlots> columns_{}; // per level; element 0 unused

    // The header.
    QLabel* Label11; // the program's title (24 pt, 20 pt when longer than nine characters)
    QLabel* Label12; // the pupil: grade label and name
    QLabel* Label13; // the school's name and number
    QLabel* Label17; // minutes since sign-in, "起動後N分"
    QLabel* Label18; // runs today, "本日総回数＝N回"
    QLabel* Label5;  // the view's title above the columns, "ベスト成績" until the first view
    // The view controls.
    std::array<QRadioButton*, 3> Option2{}; // display mode: "ﾀｲﾑ表示", "ﾎﾟｲﾝﾄ表示", "個人ﾀｲﾑ"
    QWidget* Picture1;                      // the frame around Option1
    std::array<QRadioButton*, 4> Option1{}; // sub-view 1..3 ("BEST表示"/"累計順", ...); 0 unused
    QComboBox* Combo1;                      // the grade group listed (editable)
    QComboBox* Combo2;    // the date window of the all-runs view (shown only there)
    QScrollBar* HScroll1; // pages the columns when the levels do not fit the width
    // The buttons at the bottom.
    QPushButton* Command1;  // "戻る(0)": back to the roster form
    QPushButton* Command8;  // "データ処理" (teachers only): opens the password panel Picture7
    QPushButton* Command17; // "グラフ" (personal view only): opens the chart panel Picture11
    ChartPanel* Picture11 = nullptr; // the chart panel, over the columns
    QPushButton* Command27;          // "印刷": teachers, if TeacherPrintButton = 1 (never here)
    QPushButton* mistakesButton;     // "間違いの傾向" (teachers only): opens mistakesPanel
    ClassMistakesPanel* mistakesPanel = nullptr; // the class's mistakes, over the columns
    QPushButton* aimedPracticeButton; // "弱点練習": aimed practice, offered by offerAimedPractice
    struct AimedPractice {
        int level = 0;
        MistakeKind kind = MistakeKind::Other;
    };
    std::optional<AimedPractice> aimedPractice_; // what the button starts
    // The password panel in front of the teacher tools.
    QWidget* Picture7;                       // the panel
    QLabel* Label28;                         // its caption "データ変更パスワード"
    QLineEdit* Text3;                        // the password, one "*" per character
    std::array<QPushButton*, 2> Command10{}; // to the records browser, to the criteria editor
    QPushButton* Command12;                  // "戻る": closes the panel
    // The wait panels.
    QWidget* Picture2;          // over the whole form while the menu is prepared and after a start
    QLabel* Label19;            // its text "Just a moment, please."
    QProgressBar* ProgressBar1; // its progress
    QWidget* Picture6;          // over the columns while a view is built ("Just a momento...")
    QProgressBar* ProgressBar2; // its progress
};

} // namespace zanfolio
