#include "frame/untyped.h"

#include <QVarLengthArray>
#include <charconv>
#include <cmath>

namespace zanfolio {

namespace {

// Parses the leading number of text starting at position pos; returns the index after it.
qsizetype scanNumber(const QString& text, qsizetype pos, double* value, bool* digits) {
    qsizetype i = pos;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Digits and one point are ASCII: they are gathered as bytes, without a string per item
    // (a roster of 5000 pupils has 40000 items).
    QVarLengthArray<char, 32> number;
    number.push_back('0'); // so that ".5" and "5." read as 0.5 and 5
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            number.push_back(char(c));
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            number.push_back('.');
            seenPoint = true;
        } else {
            break;
        }
    }
    if (number.back() == '.')
        number.pop_back();
    *digits = seenDigit;
    double parsed = 0.0;
    if (seenDigit) {
        const char* end = number.data() + number.size();
        const auto [stop, error] = std::from_chars(number.data(), end, parsed);
        if (error != std::errc() || stop != end) // out of range: as the string conversion does
            parsed = QString::fromLatin1(number.data(), number.size()).toDouble();
    }
    *value = seenDigit ? parsed * (negative ? -1.0 : 1.0) : 0.0;
    return i;
}

} // namespace

double leadingNumber(const QString& text, bool* found) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    double value = 0;
    bool digits = false;
    scanNumber(text, i, &value, &digits);
    if (found)
        *found = digits;
    return value;
}

bool isNumericText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    double value = 0;
    bool digits = false;
    const qsizetype end = scanNumber(t, 0, &value, &digits);
    return digits && end == t.size();
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
