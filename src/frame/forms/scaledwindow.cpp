#include "frame/forms/scaledwindow.h"

#include "frame/forms/screenhost.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace zanfolio {

namespace {

// The host's proxy. A press that no control takes (on a label) is ignored by the proxy too,
// and the scene then sends the release to nobody; in a window of its own the release still
// goes to the widget the press was on, and the roster form's title and the menu's level names
// act on that release. Taking every press keeps the release with the host.
class HostProxy final : public QGraphicsProxyWidget {
  protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override {
        QGraphicsProxyWidget::mousePressEvent(event);
        event->accept();
    }
};

} // namespace

ScaledWindow::ScaledWindow(ScreenHost& host, QWidget* parent)
    : QGraphicsView(parent), host_(host), scene_(new QGraphicsScene(this)) {
    setWindowTitle(host.windowTitle());
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignCenter);
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    // Texts anti-aliased as on the host's own window; pictures a style draws from its caches
    // scaled smoothly. Lines stay as each widget draws them.
    setRenderHints(QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);

    setScene(scene_);
    proxy_ = new HostProxy;
    proxy_->setWidget(&host_);
    scene_->addItem(proxy_);
    proxy_->setPos(0, 0);
    scene_->setSceneRect(0, 0, kScreenWidth, kScreenHeight);
    setFocusPolicy(Qt::StrongFocus);
    // A new screen may come with another background: the bars are painted again with it.
    connect(&host_, &ScreenHost::screenReplaced, viewport(), qOverload<>(&QWidget::update));
    fit();
}

ScaledWindow::~ScaledWindow() {
    // The host belongs to the caller: out of the scene before the scene deletes its proxy.
    host_.hide();
    proxy_->setWidget(nullptr);
}

void ScaledWindow::setBackdrop(std::function<QColor()> backdrop) {
    backdrop_ = std::move(backdrop);
    viewport()->update();
}

double ScaledWindow::designScale() const {
    const QSize size = viewport()->size();
    return std::min(double(size.width()) / kScreenWidth, double(size.height()) / kScreenHeight);
}

QRectF ScaledWindow::designArea() const {
    return mapFromScene(QRectF(0, 0, kScreenWidth, kScreenHeight)).boundingRect();
}

void ScaledWindow::showOnScreen() {
    // The screen's size first: without a window manager (a bare X server) asking for full
    // screen changes nothing, and the window would stay at its first size.
    setGeometry(screen()->geometry());
    showFullScreen();
    if (screenFollowed_ || !windowHandle())
        return;
    screenFollowed_ = true;
    // Moved to another screen (a projector plugged in, a monitor switched): full screen there,
    // and the design scaled to it by the resize that follows.
    connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
        if (!screen || !isFullScreen())
            return;
        setGeometry(screen->geometry());
        showFullScreen();
    });
}

void ScaledWindow::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    fit();
}

void ScaledWindow::fit() {
    const double s = designScale();
    if (s <= 0)
        return;
    setTransform(QTransform::fromScale(s, s));
    centerOn(kScreenWidth / 2.0, kScreenHeight / 2.0);
}

void ScaledWindow::drawBackground(QPainter* painter, const QRectF& rect) {
    painter->fillRect(rect, backdrop_ ? backdrop_() : QColor(Qt::black));
}

bool ScaledWindow::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            QWidget* focused = host_.focusWidget();
            if (!focused)
                focused = host_.current() ? static_cast<QWidget*>(host_.current()) : &host_;
            QCoreApplication::sendEvent(focused, event);
            return true;
        }
    }
    return QGraphicsView::event(event);
}

void ScaledWindow::closeEvent(QCloseEvent* event) {
    host_.endProgram();
    event->accept();
}

} // namespace zanfolio
