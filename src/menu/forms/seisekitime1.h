#pragma once
// The results menu `seisekitime1`: one column per level (number, name, start button, tallies,
// results list, target), the header (title, pupil, school, minutes since sign-in, runs today),
// the view controls, the back button and, for a teacher, the password panel in front of the
// teacher tools. Every rule comes from the menu's logic (menulabels, levelrules, levelranking,
// runlists, columnlayout, keyshortcuts); the form shows what they compute.
//
// Object names are the control names; the level columns' control arrays are named
// "<control>_<level>" (menucolumns.h), the option rows "Option2_0".."Option2_2" and
// "Option1_1".."Option1_3", the password buttons "Command10_0" and "Command10_1":
//   Label11 title, Label12 pupil, Label13 school and number, Label17 minutes, Label18 runs today
//   Label5 view title; Option2_i display mode; Picture1 holding Option1_k (sub-view)
//   Combo1 grade group (editable); Combo2 date window; HScroll1 column paging
//   Command1 "戻る(0)"; Command8 "データ処理" (teachers); Command17 "グラフ" (in the personal view:
//   opens the chart panel Picture11; formerly the chart panel is a separate widget); Command27
//   "印刷" (never offered in this program) Picture7 password panel: Label28, Text3, Command10_0,
//   Command10_1, Command12 Picture2 wait panel (Label19, ProgressBar1); Picture6 busy panel
//   (ProgressBar2)
// Keys typed on the form: "1".."9", "a".."d" start a level, "0" goes back to the roster form;
// keys are ignored while the menu is being prepared and while the password panel is open.
//
// Positions of the level columns follow the designs in twips (columnlayout.h), converted
// with twips(); the form is 1024 × 768 pixels, 15360 × 11520 twips.

#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"
#include "menu/forms/menucolumns.h"
#include "menu/levelranking.h"
#include "menu/runlists.h"

#include <array>

class QComboBox;
namespace zanfolio {
class ChartPanel;
}
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
    explicit Seisekitime1(AppContext& context);
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

    void buildHeader();
    void buildViewControls();
    void buildPanels();
    void buildColumns();

    void Command4_Click(int level);
    void Label3_Click(int level);
    void Command1_Click();
    void Command8_Click();
    void Command10_Click(int index);
    void Command12_Click();
    void Combo1_Click();
    void Combo2_Click();
    void Option2_Click(int index);
    void Option1_Click(int index);
    void HScroll1_Change();
    // Command9: the level unlock and overuse rules.
    void Command9_Click();
    bool formKeyPress(const QString& text);

    // The view steps.
    void showRanking(RankingKind kind);
    void showRunList(RunListView view);
    void beginView();
    void finishView();
    void showListsOfOfferedLevels();
    void pageColumns();
    bool reportFailure(const Error& error);

    AppContext& context_;
    int MenuKeysEnabled = 0;
    int ResultsDisplayMode = 0;
    int PointsRankingKind = 0;
    int ActivationInProgress = 0;

    // Template widths and the column reference, in twips.
    int columnWidth_ = 0;
    double referenceLeft_ = 0;
    int columnTop_ = 0;
    std::array<MenuColumn, kLevelSlots> columns_{};

    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label17;
    QLabel* Label18;
    QLabel* Label5;
    std::array<QRadioButton*, 3> Option2{};
    QWidget* Picture1;
    std::array<QRadioButton*, 4> Option1{}; // 1..3
    QComboBox* Combo1;
    QComboBox* Combo2;
    QScrollBar* HScroll1;
    QPushButton* Command1;
    QPushButton* Command8;
    QPushButton* Command17;
    ChartPanel* Picture11 = nullptr;
    void Command17_Click();
    QPushButton* Command27;
    QWidget* Picture7;
    QLabel* Label28;
    QLineEdit* Text3;
    std::array<QPushButton*, 2> Command10{};
    QPushButton* Command12;
    QWidget* Picture2;
    QLabel* Label19;
    QProgressBar* ProgressBar1;
    QWidget* Picture6;
    QProgressBar* ProgressBar2;
};

} // namespace zanfolio
