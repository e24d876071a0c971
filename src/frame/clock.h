#pragma once
// The present moment and elapsed time reach the code through this port, so tests can fix
// "today" and move time on by hand.

#include <QDateTime>
#include <QElapsedTimer>

namespace zanfolio {

class Clock {
  public:
    virtual ~Clock() = default;
    // Local date and time.
    virtual QDateTime now() const = 0;
    // Milliseconds of a monotonic clock (unaffected by midnight or clock changes).
    virtual qint64 monotonicMs() const = 0;
};

class SystemClock final : public Clock {
  public:
    SystemClock() { timer_.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return timer_.elapsed(); }

  private:
    QElapsedTimer timer_;
};

// A clock fixed at one moment (the command-line companion's --now); monotonic time runs.
class FixedClock final : public Clock {
  public:
    explicit FixedClock(QDateTime moment) : moment_(std::move(moment)) { timer_.start(); }
    QDateTime now() const override { return moment_; }
    qint64 monotonicMs() const override { return timer_.elapsed(); }

  private:
    QDateTime moment_;
    QElapsedTimer timer_;
};

} // namespace zanfolio
