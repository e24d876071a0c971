#include "frame/waiter.h"

#include <QThread>

namespace zanfolio {

bool SleepingWaiter::wait(int ms) {
    if (maxWaits_ > 0 && ++waits_ > maxWaits_)
        return false;
    QThread::msleep(ulong(ms));
    return true;
}

} // namespace zanfolio
