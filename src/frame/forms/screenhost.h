#pragma once
// The program's one window. Screens replace each other inside it, one at a time, as the forms
// of the classroom program loaded the next form and unloaded the current one; the wait notice
// covers the change. 1024 × 768 logical pixels (15 twips to the pixel): the host is the window
// itself at the design size, or sits scaled inside a ScaledWindow (scaledwindow.h) that fills
// a larger screen.

#include "frame/forms/screen.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QDialog;
class QLabel;

namespace zanfolio {

// The window a dialog over `widget` belongs to: the widget's own window, or the ScaledWindow
// that shows it. Parented to a widget inside the scaled host, a dialog would be drawn into the
// scaled scene instead of standing as a window of its own.
QWidget* dialogParentOf(QWidget* widget);

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
    // The window dialogs belong to: the host itself, or the ScaledWindow it sits in
    // (dialogParentOf).
    QWidget* dialogParent() { return dialogParentOf(this); }
    // How large the window shows the design: the ScaledWindow's scale, 1 at the design size.
    // Message boxes grow with it, so that their text stays the size of the screens' text.
    double designScale() const;

    // The one way out: unloads every screen, stops waits, ends the event loop.
    void endProgram(int exitCode = 0);
    bool ending() const { return ending_; }
    // Called once when the program ends (to stop retry loops).
    std::function<void()> onEnd;

  signals:
    // A screen has replaced the current one.
    void screenReplaced();

  protected:
    // Closing the window ends the program, also while a screen waits for a file.
    void closeEvent(QCloseEvent* event) override;

  private:
    QPointer<Screen> current_;
    QLabel* waitNotice_;
    bool ending_ = false;
};

} // namespace zanfolio
