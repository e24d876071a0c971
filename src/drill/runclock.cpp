#include "drill/runclock.h"

#include <algorithm>
#include <cmath>

namespace zanfolio {

int timeoutSecondsFor(int minimumLineTime) {
    return minimumLineTime > 0 ? minimumLineTime * 5 : 0;
}

int elapsedSecondsOf(qint64 sinceStartMs) {
    return int(std::lround(double(sinceStartMs) / 1000.0));
}

bool reachesTimeout(int elapsedSeconds, int timeoutSeconds) {
    return timeoutSeconds > 0 && elapsedSeconds >= timeoutSeconds;
}

double barScaleFor(int frameWidth, int timeoutSeconds) {
    return double(frameWidth) / double(timeoutSeconds > 0 ? timeoutSeconds : kDefaultBarSeconds);
}

int barWidthFor(double seconds, double scale, int frameWidth) {
    return std::clamp(int(std::lround(seconds * scale)), 0, frameWidth);
}

} // namespace zanfolio
