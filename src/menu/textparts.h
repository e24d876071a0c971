#pragma once
// Small text rules the menu's lines are built from. The lists were laid out for a fixed-width
// font by cutting padded texts, so these mimic the string functions they were written with.

#include <QString>

namespace zanfolio {

// Spaces (U+0020 only, not ideographic spaces) removed at the end / at both ends.
inline QString trimmedRight(const QString& s) {
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == u' ')
        --end;
    return s.left(end);
}
inline QString trimmedSpaces(const QString& s) {
    qsizetype begin = 0;
    while (begin < s.size() && s[begin] == u' ')
        ++begin;
    return trimmedRight(s.mid(begin));
}

// The last k characters of `prefix` followed by `text` (the whole text when shorter): the
// right alignment of numbers in their fields, losing leading digits when too long.
inline QString lastChars(const QString& prefix, const QString& text, qsizetype k) {
    return (prefix + text).right(k);
}

// A number as written with room for its sign: " 5" and "-5".
inline QString signedNumberText(long long n) {
    return n >= 0 ? QStringLiteral(" ") + QString::number(n) : QString::number(n);
}

} // namespace zanfolio
