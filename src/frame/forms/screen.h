#pragma once
// One screen of the program (a "form"). Constructing it is the form's load; activate() is its
// activation: called by the ScreenHost when the screen becomes current and again when a modal
// box of this program (the version box) closes over it. Switching to another application and
// back is not an activation.

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace zanfolio {

class Screen : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
    virtual void activate() {}

    // Set by the host when it unloads the screen (another screen replaced it, or the program is
    // ending). The screen is deleted at the next turn of an event loop, and that may be the
    // nested loop of a wait that one of its own handlers is still in.
    bool unloaded() const { return unloaded_; }

  protected:
    // Tab and Shift+Tab go round the screen's controls that take the focus by Tab (the
    // shown and enabled ones, in their tab order) and wrap from the last to the first, also
    // when the screen sits scaled in a graphics view, where the focus would otherwise leave
    // the screen at its last control. From the screen itself Tab goes to the first control.
    bool focusNextPrevChild(bool next) override;

    // Puts what the screen has just changed on the screen, then processes pending events: the
    // step before one that blocks the program (a sound played to its end). processEvents()
    // alone is not enough: the paint is a request that the window system may deliver only once
    // the program is idle again, so the pupil would see the old screen for the whole sound.
    // The screen fills the window, so repainting it repaints the window (and what lies over it,
    // such as the wait notice); a repaint of the window itself would skip the screen, which
    // covers it.
    void paintNowAndProcessEvents() {
        repaint();
        QCoreApplication::processEvents();
    }

  private:
    friend class ScreenHost;
    bool unloaded_ = false;
};

// For a handler that calls something that may wait with the event loop running (a file that
// another computer holds, a folder gone: the waits keep the window alive) or that processes
// events itself. The window may be closed meanwhile, and the screen unloaded and deleted with
// it. Made before the call on the screen or on a panel inside it; when gone() says so after
// the call, the handler returns at once, touching nothing of the screen (its members, its
// context, `this`), and shows no message.
class ScreenWatch {
  public:
    explicit ScreenWatch(QWidget* widget) : widget_(widget) {
        for (QWidget* w = widget; w; w = w->parentWidget()) {
            if (auto* screen = qobject_cast<Screen*>(w)) {
                screen_ = screen;
                onScreen_ = true;
                break;
            }
        }
    }
    bool gone() const { return !widget_ || (onScreen_ && (!screen_ || screen_->unloaded())); }

  private:
    QPointer<QWidget> widget_;
    QPointer<Screen> screen_;
    bool onScreen_ = false;
};

} // namespace zanfolio
