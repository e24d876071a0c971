#include "frame/localetexts.h"

#include "frame/daycount.h"

namespace zanfolio {

QString shortDateText(double days) {
    return dateFromDayCount(days).toString(QStringLiteral("yyyy/MM/dd"));
}

QString shortTimeText(double fraction) {
    return timeFromDayFraction(fraction).toString(QStringLiteral("H:mm:ss"));
}

} // namespace zanfolio
