#pragma once
// The program's Dialogs: QMessageBox over the program's window.

#include "frame/dialogs.h"

class QWidget;

namespace zanfolio {

class MessageBoxDialogs final : public Dialogs {
  public:
    explicit MessageBoxDialogs(QWidget* parent) : parent_(parent) {}
    Answer show(const QString& title, const QString& text, Buttons buttons, Icon icon) override;

  private:
    QWidget* parent_;
};

} // namespace zanfolio
