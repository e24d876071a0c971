#pragma once
// The splash: today's date in the Japanese era and, 100 ms later, the configuration load.
// A configuration error shows its Japanese message and ends the program cleanly. Then the runs
// and wrong answers kept on this computer go to the shared files, in batches, the splash saying
// what it writes and staying responsive: closing the window stops the delivery after the batch
// being written (what is not delivered stays kept).

#include "frame/forms/appcontext.h"
#include "frame/forms/screen.h"
#include "results/resultsstore.h"
#include "startup/configuration.h"

class QLabel;
class QTimer;

namespace zanfolio {

class Firstfrm : public Screen {
    Q_OBJECT

  public:
    // `programDir`: the executable's folder (a test folder in tests).
    Firstfrm(AppContext& context, StartUpParts parts, ResultsStore& store, QString programDir);

    QLabel* dateLabel() const { return Label1; }
    // What the splash is writing, "" when nothing.
    QLabel* deliveryLabel() const { return Label2; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Timer1_Timer();
    // LoadConfiguration and LoadSoundTable, then the roster form replaces the splash.
    void StartUp();
    // Runs and wrong answers kept on this computer go to the shared files. False when the
    // splash is gone meanwhile (the window closed): the caller returns at once.
    bool deliverKeptRuns();
    bool deliverKeptMistakes();
    bool deliverKeptAnswers();
    // Says what is being written, and lets the window paint and take a click on its close box.
    void showDelivery(const QString& text);

    AppContext& context_;
    StartUpParts parts_;
    ResultsStore& store_;
    QString programDir_;
    QLabel* Label1;
    QLabel* Label2; // what is being written
    QTimer* Timer1;
};

} // namespace zanfolio
