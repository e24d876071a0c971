#pragma once
// The splash: today's date in the Japanese era and, 100 ms later, the configuration load.
// A configuration error shows its Japanese message and ends the program cleanly.

#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"

class QLabel;
class QTimer;

namespace zanfolio {

class Firstfrm : public Screen {
    Q_OBJECT

  public:
    // `programDir`: the executable's folder (a test folder in tests).
    Firstfrm(AppContext& context, QString programDir);

    QLabel* dateLabel() const { return Label1; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Timer1_Timer();
    // LoadConfiguration and LoadSoundTable, then the roster form replaces the splash.
    void StartUp();
    // Runs and wrong answers kept on this computer go to the shared files.
    void deliverKeptRuns();
    void deliverKeptMistakes();

    AppContext& context_;
    QString programDir_;
    QLabel* Label1;
    QTimer* Timer1;
};

} // namespace zanfolio
