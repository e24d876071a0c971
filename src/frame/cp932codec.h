#pragma once
// The platform's code page 932 converter behind frame/cp932.h, one file per platform:
// cp932_icu.cpp (ICU's windows-31j) and cp932_windows.cpp (Win32, made to give ICU's results
// byte for byte, so that a file reads and writes the same whichever computer touches it).

#include <QByteArray>
#include <QString>

namespace zanfolio::cp932codec {

// A byte that starts no character becomes SUB (U+001A), a pair without a character U+FFFD; a
// lead byte followed by a byte that cannot be a trail byte stands alone (SUB) and the byte after
// it is read on its own.
QString toUnicode(const QByteArray& bytes);
// `text` comes with the wave dash and the minus sign already in their Windows forms. A
// character without a form becomes "?"; default-ignorable characters (zero-width spaces,
// variation selectors, the byte-order mark) are left out.
QByteArray fromUnicode(const QString& text);

} // namespace zanfolio::cp932codec
