#include "frame/forms/messageboxdialogs.h"

#include "frame/forms/screenhost.h"

#include <QMessageBox>

namespace zanfolio {

Dialogs::Answer MessageBoxDialogs::show(const QString& title, const QString& text, Buttons buttons,
                                        Icon icon) {
    const Answer closedUnread = buttons == Buttons::Ok      ? Answer::Ok
                                : buttons == Buttons::YesNo ? Answer::No
                                                            : Answer::Cancel;
    if (host_->ending())
        return closedUnread;
    QMessageBox box(host_);
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
