#pragma once
// Waiting before a retry. In the program the wait keeps the screen responsive (events are
// processed meanwhile); the command-line companion sleeps; tests record the waits.

namespace zanfolio {

class Waiter {
  public:
    virtual ~Waiter() = default;
    // Waits about `ms` milliseconds. Returns false when the retrying should stop instead
    // (the program is closing, or the caller's patience is spent).
    virtual bool wait(int ms) = 0;
};

// Passes waits on to `inner` until they add up to `patienceMs`, then gives up: for someone
// sitting at the screen who should hear about a fault rather than wait for ever.
class PatientWaiter final : public Waiter {
  public:
    PatientWaiter(Waiter& inner, int patienceMs) : inner_(inner), patienceMs_(patienceMs) {}
    bool wait(int ms) override {
        waited_ += ms;
        return waited_ <= patienceMs_ && inner_.wait(ms);
    }

  private:
    Waiter& inner_;
    int patienceMs_;
    int waited_ = 0;
};

// Sleeps the thread; gives up after `maxWaits` waits (0: never).
class SleepingWaiter final : public Waiter {
  public:
    explicit SleepingWaiter(int maxWaits = 0) : maxWaits_(maxWaits) {}
    bool wait(int ms) override;

  private:
    int maxWaits_;
    int waits_ = 0;
};

} // namespace zanfolio
