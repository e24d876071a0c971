#pragma once
// The program's window on a screen larger (or smaller) than the 1024 × 768 its forms were
// designed for: the ScreenHost, whole, scaled uniformly by min(width ÷ 1024, height ÷ 768) of
// the window and centred, the rest of the window in the backdrop colour (letterbox bars).
//
// The host stays a live widget tree inside a QGraphicsProxyWidget, and the view paints it
// through a scaling transform: every widget paints itself again at the window's size, so
// texts and lines are drawn at the scaled size (sharp), not stretched from a 1024 × 768
// picture, and the scale follows the window whenever it is resized or moves to another
// screen. Clicks, keys and focus reach the host's controls through the proxy, and the lists
// of combo boxes open scaled with them. Tooltips and dialogs are windows of their own, over
// this one, at their usual size (dialogs through ScreenHost::dialogParent()).
//
// Chosen over a scale factor for the whole application (QT_SCALE_FACTOR), which must be
// decided before the application object exists, so before the screen can be asked, and holds
// for the process whatever screen the window moves to.
//
// The window owns nothing of the host: it takes the host out of the scene again when it goes.

#include <QColor>
#include <QGraphicsView>
#include <functional>

class QGraphicsProxyWidget;
class QGraphicsScene;

namespace zanfolio {

class ScreenHost;

class ScaledWindow : public QGraphicsView {
    Q_OBJECT

  public:
    explicit ScaledWindow(ScreenHost& host, QWidget* parent = nullptr);
    ~ScaledWindow() override;

    // The colour of the bars beside (or above and below) the design, asked whenever they are
    // painted; black until set.
    void setBackdrop(std::function<QColor()> backdrop);

    // The design's scale in this window: min(width ÷ 1024, height ÷ 768).
    double designScale() const;
    // Where the design stands in the window, in the window's pixels.
    QRectF designArea() const;

    // Full screen on the screen the window is on, and again on every screen it is moved to.
    void showOnScreen();

  protected:
    // Tab and Shift+Tab go to the host's focused control, which moves the focus round the
    // screen's controls: the scene would keep them for its own items, of which the host is the
    // only one, and the focus would never move.
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    // Closing the window ends the program, as closing the host does.
    void closeEvent(QCloseEvent* event) override;

  private:
    void fit();

    ScreenHost& host_;
    QGraphicsScene* scene_;
    QGraphicsProxyWidget* proxy_;
    std::function<QColor()> backdrop_;
    bool screenFollowed_ = false;
};

} // namespace zanfolio
