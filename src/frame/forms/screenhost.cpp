#include "frame/forms/screenhost.h"

#include "frame/forms/palette.h"
#include "frame/forms/scaledwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QTimer>

namespace zanfolio {

namespace {

// The view a widget is shown in when its window sits in a ScaledWindow.
QGraphicsView* viewOf(const QWidget& widget) {
    const QGraphicsProxyWidget* proxy = widget.window()->graphicsProxyWidget();
    if (!proxy || !proxy->scene() || proxy->scene()->views().isEmpty())
        return nullptr;
    return proxy->scene()->views().constFirst();
}

} // namespace

QWidget* dialogParentOf(QWidget* widget) {
    if (!widget)
        return nullptr;
    if (QGraphicsView* view = viewOf(*widget))
        return view->window();
    return widget->window();
}

ScreenHost::ScreenHost(QWidget* parent) : QWidget(parent) {
    // "Velmont" is the window title the installations have always shown, kept on purpose.
    setWindowTitle(QStringLiteral("Velmont"));
    setFixedSize(kScreenWidth, kScreenHeight);
    waitNotice_ = new QLabel(QStringLiteral("Just a moment, please."), this);
    waitNotice_->setObjectName(QStringLiteral("BASEFRM"));
    waitNotice_->setAlignment(Qt::AlignCenter);
    waitNotice_->setStyleSheet(
        QStringLiteral(
            "QLabel { background: %1; color: %2; border: 2px solid %3; font-size: 20pt; }")
            .arg(kNoticeBackground, kPanelText, kNoticeBorder));
    waitNotice_->setGeometry((kScreenWidth - 420) / 2, (kScreenHeight - 110) / 2, 420, 110);
    waitNotice_->hide();
}

ScreenHost::~ScreenHost() = default;

double ScreenHost::designScale() const {
    const auto* scaled = qobject_cast<const ScaledWindow*>(viewOf(*this));
    return scaled ? scaled->designScale() : 1.0;
}

void ScreenHost::replace(Screen* next) {
    if (ending_) {
        delete next;
        return;
    }
    Screen* previous = current_;
    current_ = next;
    next->setParent(this);
    next->setGeometry(0, 0, kScreenWidth, kScreenHeight);
    next->show();
    if (waitNotice_->isVisible())
        waitNotice_->raise();
    if (previous) {
        previous->unloaded_ = true;
        previous->hide();
        previous->deleteLater();
    }
    emit screenReplaced();
    // Activation once the new screen is up and its load has returned.
    QPointer<Screen> target = next;
    QTimer::singleShot(0, this, [this, target] {
        if (target && target == current_ && !ending_)
            target->activate();
    });
}

void ScreenHost::showWaitNotice() {
    waitNotice_->show();
    waitNotice_->raise();
    waitNotice_->repaint();
    QCoreApplication::processEvents();
}

void ScreenHost::hideWaitNotice() {
    waitNotice_->hide();
}

bool ScreenHost::waitNoticeVisible() const {
    return waitNotice_->isVisible();
}

int ScreenHost::runModal(QDialog& dialog) {
    dialog.adjustSize();
    // mapToGlobal follows the scale of a ScaledWindow: the centre of the design on screen.
    const QPoint centre = mapToGlobal(rect().center());
    dialog.move(centre - QPoint(dialog.width() / 2, dialog.height() / 2));
    const int result = dialog.exec();
    if (current_ && !ending_)
        current_->activate();
    return result;
}

void ScreenHost::closeEvent(QCloseEvent* event) {
    endProgram();
    event->accept();
}

void ScreenHost::endProgram(int exitCode) {
    if (ending_)
        return;
    ending_ = true;
    if (onEnd)
        onEnd();
    if (current_) {
        current_->unloaded_ = true;
        current_->hide();
        current_->deleteLater();
    }
    close();
    if (QWidget* window = dialogParent(); window != this)
        window->close();
    QCoreApplication::exit(exitCode);
}

} // namespace zanfolio
