#include "frame/untyped.h"

#include <QVarLengthArray>
#include <charconv>
#include <cmath>

namespace zanfolio {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The value of a number read by leadingNumberText.
double valueOf(const NumberText& number) {
    if (!number.found())
        return 0.0;
    // The digits are ASCII: they are gathered as bytes, without a string per item (a roster
    // of 5000 pupils has 40000 items).
    QVarLengthArray<char, 32> bytes;
    bytes.push_back('0'); // so that ".5" reads as 0.5
    for (QChar c : number.whole)
        bytes.push_back(char(c.unicode()));
    if (!number.fraction.isEmpty()) {
        bytes.push_back('.');
        for (QChar c : number.fraction)
            bytes.push_back(char(c.unicode()));
    }
    double value = 0.0;
    const char* end = bytes.data() + bytes.size();
    const auto [stop, error] = std::from_chars(bytes.data(), end, value);
    if (error != std::errc() || stop != end) // out of range: as the string conversion does
        value = QString::fromLatin1(bytes.data(), bytes.size()).toDouble();
    return number.negative ? -value : value;
}

} // namespace

NumberText leadingNumberText(QStringView text) {
    NumberText out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        out.negative = text[i] == u'-';
        ++i;
    }
    const qsizetype wholeStart = i;
    while (i < n && isDigit(text[i]))
        ++i;
    out.whole = text.sliced(wholeStart, i - wholeStart);
    if (i < n && text[i] == u'.') {
        const qsizetype fractionStart = ++i;
        while (i < n && isDigit(text[i]))
            ++i;
        out.fraction = text.sliced(fractionStart, i - fractionStart);
    }
    out.end = i;
    return out;
}

double leadingNumber(const QString& text, bool* found) {
    const NumberText number = leadingNumberText(text);
    if (found)
        *found = number.found();
    return valueOf(number);
}

bool isNumericText(const QString& text) {
    const QString t = text.trimmed();
    const NumberText number = leadingNumberText(t);
    return number.found() && number.end == t.size();
}

Untyped Untyped::fromItem(const QString& text) {
    if (text.isEmpty())
        return {};
    if (isNumericText(text))
        return Untyped(leadingNumber(text));
    return Untyped(text);
}

double Untyped::toNumber() const {
    switch (v_.index()) {
    case 1:
        return std::get<1>(v_);
    case 2: {
        const QString& t = std::get<2>(v_);
        return isNumericText(t) ? leadingNumber(t) : 0.0;
    }
    default:
        return 0.0;
    }
}

QString Untyped::toText() const {
    switch (v_.index()) {
    case 1:
        return shortestNumberText(std::get<1>(v_));
    case 2:
        return std::get<2>(v_);
    default:
        return {};
    }
}

bool operator==(const Untyped& a, const Untyped& b) {
    if (a.isEmpty() && b.isEmpty())
        return true;
    if (a.isText() && b.isText())
        return std::get<2>(a.v_) == std::get<2>(b.v_);
    // Empty against a number compares as 0, against a text as "".
    if (a.isEmpty())
        return b.isText() ? std::get<2>(b.v_).isEmpty() : b.toNumber() == 0.0;
    if (b.isEmpty())
        return a.isText() ? std::get<2>(a.v_).isEmpty() : a.toNumber() == 0.0;
    if (a.isNumber() && b.isNumber())
        return std::get<1>(a.v_) == std::get<1>(b.v_);
    // Number against text: the text compares by its number when it is numeric.
    const QString& t = a.isText() ? std::get<2>(a.v_) : std::get<2>(b.v_);
    const double n = a.isNumber() ? std::get<1>(a.v_) : std::get<1>(b.v_);
    return isNumericText(t) && leadingNumber(t) == n;
}

QString shortestNumberText(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    // Single-precision criteria such as 1.5 or 1.1 are shown as the float's shortest text.
    const float f = float(value);
    if (double(f) == value)
        return QString::number(f, 'g', 7);
    return QString::number(value, 'g', 15);
}

} // namespace zanfolio
