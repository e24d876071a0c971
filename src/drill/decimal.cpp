#include "drill/decimal.h"

#include "frame/untyped.h"

namespace zanfolio {

namespace {
// Integer parts beyond this cannot take four more places in 64 bits.
constexpr qint64 kLargestWhole = 900'000'000'000'000LL;
} // namespace

Decimal Decimal::fromScaled(qint64 mantissa, int exponent) {
    qint64 units = mantissa;
    for (int e = -4; e < exponent; ++e)
        units *= 10;
    return fromUnits(units);
}

QString Text(Decimal x) {
    const qint64 u = x.units();
    const qint64 magnitude = u < 0 ? -u : u;
    QString s = u < 0 ? QStringLiteral("-") : QString();
    s += QString::number(magnitude / Decimal::kUnitsPerOne);
    qint64 fraction = magnitude % Decimal::kUnitsPerOne;
    if (fraction != 0) {
        QString places = QString::number(fraction).rightJustified(4, u'0');
        while (places.endsWith(u'0'))
            places.chop(1);
        s += u'.' + places;
    }
    return s;
}

QString Aligned(Decimal x) {
    const QString s = Text(x);
    const QString four(4, u' ');
    QString t;
    if (!s.contains(u'.'))
        t = four + s + u'.' + four;
    else if (x < Decimal::fromInt(1))
        t = four + u'0' + s.mid(1);
    else
        t = four + s + four;
    // 7 characters from three before the point; the drill's numbers have at most three
    // digits before it, so the start never falls before the first character.
    const qsizetype point = t.indexOf(u'.');
    return t.mid(qMax<qsizetype>(0, point - 3), 7);
}

LeadingDecimal leadingDecimal(const QString& text) {
    LeadingDecimal out;
    const NumberText number = leadingNumberText(text);
    out.found = number.found();
    qint64 whole = 0;
    for (QChar c : number.whole) {
        if (whole > kLargestWhole / 10)
            out.exact = false;
        else
            whole = whole * 10 + (c.unicode() - u'0');
    }
    qint64 fraction = 0;
    int places = 0;
    for (QChar c : number.fraction) {
        if (places < 4) {
            fraction = fraction * 10 + (c.unicode() - u'0');
            ++places;
        } else if (c != u'0') {
            out.exact = false;
        }
    }
    for (; places < 4; ++places)
        fraction *= 10;
    const qint64 units = whole * Decimal::kUnitsPerOne + fraction;
    out.value = Decimal::fromUnits(number.negative ? -units : units);
    return out;
}

} // namespace zanfolio
