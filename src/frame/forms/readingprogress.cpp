#include "frame/forms/readingprogress.h"

#include <QCoreApplication>

namespace zanfolio {

namespace {
constexpr qint64 kSlowMs = 300;
constexpr qint64 kPaintEveryMs = 100;
} // namespace

ReadingProgress::ReadingProgress(QProgressBar* bar, std::function<void()> onSlow)
    : bar_(bar), onSlow_(std::move(onSlow)) {
    started_.start();
}

void ReadingProgress::operator()(qint64 done, qint64 most) {
    const qint64 now = started_.elapsed();
    if (now - lastPaint_ < kPaintEveryMs)
        return;
    lastPaint_ = now;
    if (!slow_ && now >= kSlowMs) {
        slow_ = true;
        if (onSlow_)
            onSlow_();
    }
    if (bar_ && most > 0) {
        bar_->setRange(0, 1000);
        bar_->setValue(int(1000 * std::min(done, most) / most));
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace zanfolio
