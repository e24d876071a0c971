#pragma once
// The roster form `namesel`: the pupil picks their own name from the name list, chooses which
// figures the list shows (Option1) and which grade group it lists (Combo1), and confirms. The
// rows come from `名簿表示` (namelist.h); the form only shows them.
//
// Object names are the control names, for tests and for the end-to-end road:
//   Picture1   title band; Label4 in it (ProgramTitle, 48 pt; a click opens the version box)
//   List1      the name list, row 0 "－－－－－－" (no pupil chosen)
//   Label1     the chosen pupil, or "名前を選びなさい";  Label2 (hidden) the pupil's number
//   Combo1     the twelve grade groups;  Option1_0 .. Option1_3 the four display modes
//   Command14  "O.K." (confirm);  Command7 "ﾌﾟﾟﾛｸﾞﾗﾑメニューへ(0)" (back to the launcher)
//   Picture5   the wait panel "Just a moment, please."
// Keys typed anywhere on the form: "1" confirms (while Command14 shows), "0" returns to the
// launcher (while Command7 shows); Enter or space in List1 confirms.

#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"
#include "roster/namelist.h"

#include <array>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zanfolio {

class Namesel : public Screen {
    Q_OBJECT

  public:
    // The form's load: colours, the first build of the list, the title.
    explicit Namesel(AppContext& context);

    // The activation: display mode 1, the grade-group box refilled (twelve entries, once),
    // GradeGroupFilter "全学年", the list rebuilt with fresh statistics.
    void activate() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Tests read the display mode.
    friend class NameselTestPeer;

    int displayMode() const { return DisplayMode; }

    // `名簿表示` and its display: List1 rebuilt, row 0 selected.
    void 名簿表示();
    void Option1_Click(int index);
    void Combo1_Click();
    void List1_Click();
    void List1_DblClick();
    void Command14_Click(); // confirm
    void Command7_Click();  // back to the launcher
    void Label4_Click();    // the version box
    // The typed character handled by the form before its controls; true when it was used.
    bool formKeyPress(const QString& text);
    void showChosenPupil(int row, bool longLabel);
    void fillGradeGroups();

    AppContext& context_;
    int DisplayMode = 1;
    bool freshlyBuilt_ = false; // the load built the list for mode 1 and "全学年" just now
    NameList list_;

    QWidget* Picture1;
    QLabel* Label4;
    QListWidget* List1;
    QLabel* Label1;
    QLabel* Label2;
    QComboBox* Combo1;
    std::array<QRadioButton*, 4> Option1{};
    QPushButton* Command14;
    QPushButton* Command7;
    QLabel* Picture5;
};

} // namespace zanfolio
