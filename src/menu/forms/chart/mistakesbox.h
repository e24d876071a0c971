#pragma once
// The box beside the chart on the chart panel, for teachers: the chart pupil's mistakes with
// decimals within a window of days (menu/mistakeviews.h), every kind that came up with its
// count and its two latest examples ("0.07 ＋ 3 → 0.1"), the most frequent first, and a line
// naming the kinds that did not come up. The window is chosen in the box itself
// (`mistakeWindow`), opening at the menu's date-window choice.
//
// Object names: "mistakesBox" (the box), "mistakeWindow" (the window box), "mistakesHeading"
// (the pupil and the window), "mistakesTotal", "mistakesKinds" (the verdicts, the kinds and
// examples).

#include "menu/mistakeviews.h"

#include <QFrame>

class QComboBox;
class QLabel;

namespace zanfolio {

class MistakesBox : public QFrame {
    Q_OBJECT

  public:
    static constexpr int kWidth = 250;

    explicit MistakesBox(QWidget* parent = nullptr);

    // The choice of the window box, DateWindowChoice 1..5 (any other choice: one month).
    int windowChoice() const;
    void setWindowChoice(int choice);

    // `verdicts`: the pupil's ways of working, "定着：位取り 5/7", "たまに：ゼロ 1/6", shown under
    // the total.
    void showView(const PupilMistakesView& view, const QStringList& verdicts = {});
    // The files are being read: said at once, in place of the figures.
    void showReading();
    // The mistakes file could not be read: what is wrong, in place of the figures.
    void showFailure(const QString& message);

  signals:
    // The teacher chose another window.
    void windowChosen();

  private:
    QComboBox* mistakeWindow;
    QLabel* mistakesHeading;
    QLabel* mistakesTotal;
    QLabel* mistakesKinds;
};

} // namespace zanfolio
