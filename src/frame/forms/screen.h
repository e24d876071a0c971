#pragma once
// One screen of the program (a "form"). Constructing it is the form's load; activate() is its
// activation: called by the ScreenHost when the screen becomes current and again when a modal
// box of this program (the version box) closes over it. Switching to another application and
// back is not an activation.

#include <QCoreApplication>
#include <QWidget>

namespace zanfolio {

class Screen : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
    virtual void activate() {}

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
};

} // namespace zanfolio
