#pragma once
// The roster form `namesel`: the pupil picks their own name from the name list, chooses which
// figures the list shows (Option1) and which grade group it lists (Combo1), and confirms. The
// rows come from `名簿表示` (namelist.h); the form only shows them.
//
// Object names are the control names (each glossed at its member below), for tests and for
// the end-to-end road; the options are "Option1_0" .. "Option1_3".
// Keys typed anywhere on the form: "1" confirms (while Command14 shows), "0" returns to the
// launcher (while Command7 shows); Enter or space in List1 confirms.

#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"
#include "frame/programdefinition.h"
#include "results/criteria.h"
#include "results/resultsstore.h"
#include "roster/namelist.h"
#include "roster/session.h"
#include "sound/sounds.h"

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zanfolio {

class TextList;

// The parts of the state the roster form reads and fills: it signs the pupil in, builds the
// roster tables and sets the level list.
// References into the program-wide state: a copy stays good after the screen is gone.
struct RosterFormParts {
    ProgramDefinition& program;
    const Installation& installation;
    const CriteriaTable& Criteria;
    PupilStatistics& Stats;
    RosterTables& roster;
    Session& session;
    Sounds& sounds;
    ResultsStore& store;
};

class Namesel : public Screen {
    Q_OBJECT

  public:
    // The form's load: colours, the first build of the list, the title.
    Namesel(AppContext& context, RosterFormParts state);

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

    // Label1's text while no pupil is chosen.
    static inline const QString kChooseYourName = QStringLiteral("名前を選びなさい");

    // In namesel_layout.cpp: the controls, their places and looks, their wiring.
    void buildControls();
    // `名簿表示` and its display: List1 rebuilt, row 0 selected. False when the form must stop:
    // it is gone (the window closed during a wait) or the program is ending.
    bool 名簿表示();
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
    // Shows the roster lines left out of the list, once per start.
    void reportSkippedLines();

    AppContext& context_;
    RosterFormParts state_;
    int DisplayMode = 1;
    bool freshlyBuilt_ = false; // the load built the list for mode 1 and "全学年" just now
    NameList list_;

    QWidget* Picture1;                      // the title band
    QLabel* Label4;                         // ProgramTitle in it, 48 pt; a click: the version box
    TextList* List1;                        // the name list; row 0 "－－－－－－", no pupil
    QLabel* Label1;                         // the chosen pupil, or kChooseYourName
    QLabel* Label2;                         // hidden: the chosen pupil's number
    QComboBox* Combo1;                      // the twelve grade groups
    std::array<QRadioButton*, 4> Option1{}; // the four display modes
    QPushButton* Command14;                 // "O.K.": confirms the chosen pupil
    QPushButton* Command7;                  // back to the launcher, the school's program menu ("0")
    QLabel* Picture5;                       // the wait panel "Just a moment, please."
};

} // namespace zanfolio
