#include "frame/forms/messageboxdialogs.h"

#include "frame/forms/screenhost.h"

#include <QMessageBox>

namespace zanfolio {

namespace {

// A message box centred over a point of the screen. A QDialog places itself before its first
// show, and a message box takes its final size only then: centred by that earlier size it
// stood off the window's centre. Moved once it has its size, it shows where it belongs.
class CentredMessageBox final : public QMessageBox {
  public:
    CentredMessageBox(QWidget* parent, QPoint centre) : QMessageBox(parent), centre_(centre) {}

  protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        move(centre_ - QPoint(width() / 2, height() / 2));
    }

  private:
    QPoint centre_;
};

} // namespace

Dialogs::Answer MessageBoxDialogs::show(const QString& title, const QString& text, Buttons buttons,
                                        Icon icon) {
    const Answer closedUnread = buttons == Buttons::Ok      ? Answer::Ok
                                : buttons == Buttons::YesNo ? Answer::No
                                                            : Answer::Cancel;
    if (host_->ending())
        return closedUnread;
    // Over the middle of the program's screen, which mapToGlobal finds also when it is scaled.
    CentredMessageBox box(host_->dialogParent(), host_->mapToGlobal(host_->rect().center()));
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::None:
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return closedUnread;
    }
}

} // namespace zanfolio
