#pragma once
// One screen of the program (a "form"). Constructing it is the form's load; activate() is its
// activation: called by the ScreenHost when the screen becomes current and again when a modal
// box of this program (the version box) closes over it. Switching to another application and
// back is not an activation.

#include <QWidget>

namespace zanfolio {

class Screen : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
    virtual void activate() {}
};

} // namespace zanfolio
