#pragma once
// A waiter like the program's own (frame/responsivewaiter.h): a wait lets events run, and once
// the program ends every wait refuses. Short: each wait lasts a few milliseconds, whatever it
// asks. During wait number `closeAt` (from 1) the window is closed, as a pupil clicking its
// close box while a screen waits for a file: the host ends the program and unloads the screen,
// whose deferred delete the next turn of events carries out.

#include "frame/forms/screenhost.h"
#include "frame/waiter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace zanfolio::testing {

class ClosingWaiter final : public Waiter {
  public:
    explicit ClosingWaiter(ScreenHost& host, int closeAt = 1) : host_(host), closeAt_(closeAt) {
        host_.onEnd = [this] { stopped_ = true; };
    }
    ~ClosingWaiter() override { host_.onEnd = nullptr; }
    ClosingWaiter(const ClosingWaiter&) = delete;
    ClosingWaiter& operator=(const ClosingWaiter&) = delete;

    bool wait(int) override {
        ++waits;
        if (stopped_)
            return false;
        if (waits == closeAt_)
            QTimer::singleShot(0, &host_, [this] { host_.close(); });
        QElapsedTimer timer;
        timer.start();
        while (!stopped_ && timer.elapsed() < 5)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return !stopped_;
    }

    int waits = 0;

  private:
    ScreenHost& host_;
    int closeAt_;
    bool stopped_ = false;
};

} // namespace zanfolio::testing
