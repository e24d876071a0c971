#pragma once
// The program's Dialogs: QMessageBox over the program's window.

#include "frame/dialogs.h"

namespace zanfolio {

class ScreenHost;

// Once the program is ending no box is shown: the answer is the one of a box closed unread.
class MessageBoxDialogs final : public Dialogs {
  public:
    explicit MessageBoxDialogs(ScreenHost* host) : host_(host) {}
    Answer show(const QString& title, const QString& text, Buttons buttons, Icon icon) override;

  private:
    ScreenHost* host_;
};

} // namespace zanfolio
