#pragma once
// The screen of a classroom computer that paints late, for tests of "on the screen before the
// sound": there, a paint that Qt queues for the event loop is not delivered by a
// processEvents() called while the program is busy (handling the pupil's key, or a timer),
// because the window system still has messages of its own queued; the paint comes only once
// the program is idle again. The offscreen platform of the tests delivers it at once, which
// hides the fault.
//
// LatePaints holds those queued paints back from the moment `watched` is shown until
// release(): a processEvents() then paints nothing of what the showing changed. A paint the
// program asks for outright (repaint()) is not queued and reaches the window at once. Telling
// the two apart: showing `watched` posts a marker event, and the paint that the showing queues
// comes after it (it is posted later, and with a low priority); so a paint request delivered
// after the marker came through the event loop, while a repaint() made before the program
// gives the event loop its turn comes before the marker and passes.
//
// What the window shows (what the pupil sees) is onScreen(host): the picture last painted into
// the window, not a fresh rendering of the widgets as QWidget::grab() makes.

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace zanfolio::testing {

// The window's picture as last painted (the offscreen platform keeps it for the window).
inline QImage onScreen(QWidget& window) {
    return window.screen()->grabWindow(window.winId()).toImage();
}

// The place of `widget` in its window, for comparing pictures.
inline QRect placeInWindow(const QWidget& widget) {
    return QRect(widget.mapTo(widget.window(), QPoint(0, 0)), widget.size());
}

// True when the window shows `widget` as it is now: its place in the window's last painted
// picture equals a fresh rendering of the window there.
inline bool showsAsItIsNow(QWidget& window, const QWidget& widget) {
    const QRect place = placeInWindow(widget);
    return onScreen(window).copy(place) == window.grab().toImage().copy(place);
}

class LatePaints final : public QObject {
  public:
    // Starts holding queued paints of `window` back once `watched` is shown.
    LatePaints(QWidget& window, QWidget& watched) : window_(&window), watched_(&watched) {
        qApp->installEventFilter(this);
    }
    ~LatePaints() override {
        qApp->removeEventFilter(this);
        release();
    }
    LatePaints(const LatePaints&) = delete;
    LatePaints& operator=(const LatePaints&) = delete;

    // The program is idle again: the paints held back are delivered.
    void release() {
        holding_ = false;
        armed_ = false;
        if (held_ && window_)
            QCoreApplication::postEvent(window_, new QEvent(QEvent::UpdateRequest),
                                        Qt::LowEventPriority);
        held_ = false;
    }

  protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (target == watched_ && event->type() == QEvent::Show && !armed_) {
            armed_ = true;
            QCoreApplication::postEvent(this, new QEvent(kMarker));
        }
        if (holding_ && target == window_ && event->type() == QEvent::UpdateRequest) {
            held_ = true;
            return true;
        }
        return false;
    }
    bool event(QEvent* event) override {
        if (event->type() != kMarker)
            return QObject::event(event);
        holding_ = armed_;
        return true;
    }

  private:
    static constexpr QEvent::Type kMarker = QEvent::Type(QEvent::User + 731);

    QPointer<QWidget> window_;
    QPointer<QWidget> watched_;
    bool armed_ = false;   // `watched` has been shown, the marker is on its way
    bool holding_ = false; // the marker has come: queued paints are held back
    bool held_ = false;    // a paint is held back now
};

} // namespace zanfolio::testing
