#pragma once
// A Waiter that says why the screen waits. The record of a run is appended with retries while
// another computer holds the results file; each retry waits through the program's waiter
// (which keeps the screen alive), and the first wait of an append puts up a notice, so the
// pupil sees that the record is being kept, not lost.

#include "frame/waiter.h"

#include <functional>

namespace zanfolio {

class NoticeWaiter final : public Waiter {
  public:
    // `onFirstWait` runs once, before the first wait is passed on to `inner`.
    NoticeWaiter(Waiter& inner, std::function<void()> onFirstWait)
        : inner_(inner), onFirstWait_(std::move(onFirstWait)) {}

    bool wait(int ms) override {
        if (!noticed_) {
            noticed_ = true;
            if (onFirstWait_)
                onFirstWait_();
        }
        return inner_.wait(ms);
    }
    bool waited() const { return noticed_; }

  private:
    Waiter& inner_;
    std::function<void()> onFirstWait_;
    bool noticed_ = false;
};

} // namespace zanfolio
