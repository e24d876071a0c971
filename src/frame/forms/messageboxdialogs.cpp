#include "frame/forms/messageboxdialogs.h"

#include "frame/forms/screenhost.h"

#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QStyle>

namespace zanfolio {

namespace {

// A message box centred over a point of the screen. A QDialog places itself before its first
// show, and a message box takes its final size only then: centred by that earlier size it
// stood off the window's centre. Moved once it has its size, it shows where it belongs.
//
// At `scale` (the window's scale of the design) its text, buttons and icon are as large as the
// screens show theirs.
class CentredMessageBox final : public QMessageBox {
  public:
    CentredMessageBox(QWidget* parent, QPoint centre, double scale)
        : QMessageBox(parent), centre_(centre), scale_(scale) {
        QFont scaled = font();
        scaled.setPointSizeF(scaled.pointSizeF() * scale);
        setFont(scaled);
    }

  protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        scaleIcon();
        move(centre_ - QPoint(width() / 2, height() / 2));
    }

  private:
    // The box sets its icon again whenever its style is applied (as it is shown): drawn as
    // large as the text, keeping the box's kind of icon (its sound, what a screen reader says).
    void scaleIcon() {
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        if (!label || scale_ == 1.0 || icon() == QMessageBox::NoIcon)
            return;
        const QStyle::StandardPixmap pixmap =
            icon() == QMessageBox::Information ? QStyle::SP_MessageBoxInformation
            : icon() == QMessageBox::Warning   ? QStyle::SP_MessageBoxWarning
            : icon() == QMessageBox::Critical  ? QStyle::SP_MessageBoxCritical
                                               : QStyle::SP_MessageBoxQuestion;
        // As large against the box as at the design size; a style with only small icons has
        // its largest one drawn larger.
        const QSize size = label->pixmap().deviceIndependentSize().toSize() * scale_;
        QPixmap drawn = style()->standardIcon(pixmap, nullptr, this).pixmap(size);
        if (drawn.deviceIndependentSize().toSize() != size)
            drawn = drawn.scaled(size * drawn.devicePixelRatio(), Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
        label->setPixmap(drawn);
        label->setFixedSize(label->sizeHint());
        adjustSize();
    }

    QPoint centre_;
    double scale_;
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
    CentredMessageBox box(host_->dialogParent(), host_->mapToGlobal(host_->rect().center()),
                          host_->designScale());
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
