#pragma once
// What the road tests read off the screens: which screen is up, and the keys a pupil types to
// answer the problem on the drill screen.

#include "drill/decimal.h"
#include "support/control.h"
#include "support/screenharness.h"

#include <QLabel>

namespace zanfolio::testing {

inline QString screenName(ScreenHarness& h) {
    return h.host.current() ? h.host.current()->metaObject()->className() : QString();
}

// The answer of the problem on screen, typed as a pupil types it: digits, the point by the
// first space, the second space hands it in.
inline QString answerKeys(ScreenHarness& h) {
    const Decimal a = leadingDecimal(control<QLabel>(h.host.current(), "qLabel1")->text()).value;
    const Decimal b = leadingDecimal(control<QLabel>(h.host.current(), "qlabel2")->text()).value;
    const bool plus = control<QLabel>(h.host.current(), "Label6")->text() == QStringLiteral("＋");
    const QString answer = Text(plus ? a + b : a - b);
    return answer.contains(u'.') ? answer + u' ' : answer + QStringLiteral("  ");
}

} // namespace zanfolio::testing
