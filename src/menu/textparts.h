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

// Appends lastChars(spaces, text, k) to `out` for a prefix of enough spaces: `text` right
// aligned in k characters, losing its leading characters when longer. No temporary strings.
inline void appendLastChars(QString& out, const QString& text, qsizetype k) {
    if (text.size() >= k) {
        out.append(QStringView(text).right(k));
        return;
    }
    out.resize(out.size() + k - text.size(), u' ');
    out.append(text);
}

// A number as written with room for its sign: " 5" and "-5".
inline QString signedNumberText(long long n) {
    return n >= 0 ? QStringLiteral(" ") + QString::number(n) : QString::number(n);
}

} // namespace zanfolio
