#include "frame/responsivewaiter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace zanfolio {

bool ResponsiveWaiter::wait(int ms) {
    if (stopped_ || QCoreApplication::closingDown())
        return false;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return !stopped_ && !QCoreApplication::closingDown();
}

} // namespace zanfolio
