#pragma once
// Paths as the installations write them: "D:\juku\" on Windows, "/srv/juku/" elsewhere.
// Both "\" and "/" are separators; a folder text keeps the separator it already uses.

#include <QString>

namespace zanfolio {

bool isSeparator(QChar c);
// The separator a folder text uses: "\" when it has one and no "/", else "/".
QChar separatorOf(const QString& path);
// The folder text with one trailing separator.
QString withTrailingSeparator(const QString& folder);
// The text after the last separator (trailing separators ignored).
QString lastComponent(const QString& path);

} // namespace zanfolio
