#pragma once
// The program's one window. Screens replace each other inside it, one at a time, as the forms
// of the classroom program loaded the next form and unloaded the current one; the wait notice
// covers the change. 1024 × 768 logical pixels (15 twips to the pixel).

#include "frame/forms/screen.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QDialog;
class QLabel;

namespace zanfolio {

// Twips of the form designs to logical pixels.
constexpr int twips(double t) {
    return int(t / 15.0 + 0.5);
}
inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;

class ScreenHost : public QWidget {
    Q_OBJECT

  public:
    explicit ScreenHost(QWidget* parent = nullptr);
    ~ScreenHost() override;

    // Makes `next` the current screen (taking ownership), unloads the previous one and
    // activates `next` once it is up.
    void replace(Screen* next);
    Screen* current() const { return current_; }

    // The wait notice "Just a moment, please." over the whole window; showing it paints it at once.
    void showWaitNotice();
    void hideWaitNotice();
    bool waitNoticeVisible() const;

    // Shows `dialog` modally, centred over the window, then activates the current screen again.
    int runModal(QDialog& dialog);

    // The one way out: unloads every screen, stops waits, ends the event loop.
    void endProgram(int exitCode = 0);
    bool ending() const { return ending_; }
    // Called once when the program ends (to stop retry loops).
    std::function<void()> onEnd;

  protected:
    // Closing the window ends the program, also while a screen waits for a file.
    void closeEvent(QCloseEvent* event) override;

  private:
    QPointer<Screen> current_;
    QLabel* waitNotice_;
    bool ending_ = false;
};

} // namespace zanfolio
