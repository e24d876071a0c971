#pragma once
// The program's Waiter: the wait runs the event loop, so the screen repaints and timers tick
// while a retry waits (another computer holding the results file, a missing roster).

#include "frame/waiter.h"

namespace zanfolio {

class ResponsiveWaiter final : public Waiter {
  public:
    bool wait(int ms) override;
    // Once the program is ending, waits return false at once so retry loops stop.
    void stop() { stopped_ = true; }

  private:
    bool stopped_ = false;
};

} // namespace zanfolio
