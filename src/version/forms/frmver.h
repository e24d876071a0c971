#pragma once
// The version box `frmver`: the program's title, its version, the product name and a notice
// line. The roster form shows it modally, centred over the window (ScreenHost::runModal).
//
// Object names are the control names: Label1 (ProgramTitle), Label2 (the version text),
// Label4 (the product name), Label5 (the notice line), Command1 ("O.K.", closes the box),
// Command2 (a button without action, kept because the box has always shown it).

#include <QDialog>

class QLabel;
class QPushButton;

namespace zanfolio {

struct ProgramDefinition;

class Frmver : public QDialog {
    Q_OBJECT

  public:
    Frmver(const ProgramDefinition& program, QWidget* parent = nullptr);

    // The box's activation: fills the labels (also done at construction, so the texts are
    // there before the box is shown).
    void activate();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    const ProgramDefinition& program_;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* Command1;
    QPushButton* Command2;
};

} // namespace zanfolio
