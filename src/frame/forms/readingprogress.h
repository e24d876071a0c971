#pragma once
// Keeps the window alive while a long read of a shared file goes on (a results file of years on
// a slow share): handed the progress of the read page by page, it lets the window paint and
// take a close at most every tenth of a second, moves a progress bar if there is one, and once
// the read has taken more than 0.3 s says so (`onSlow`: the screen shows its wait notice).
// Keys and clicks wait until the read is done.

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>
#include <functional>

namespace zanfolio {

class ReadingProgress {
  public:
    explicit ReadingProgress(QProgressBar* bar = nullptr, std::function<void()> onSlow = {});

    void operator()(qint64 done, qint64 most);
    bool wasSlow() const { return slow_; }

  private:
    QPointer<QProgressBar> bar_;
    std::function<void()> onSlow_;
    QElapsedTimer started_;
    qint64 lastPaint_ = 0;
    bool slow_ = false;
};

} // namespace zanfolio
