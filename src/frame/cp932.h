#pragma once
// Code page 932 (Windows-31J), the ANSI code page of the Japanese Windows computers whose
// files this program shares. Not JIS Shift_JIS: "①", "Ⅰ", "－" (U+FF0D) and "～" (U+FF5E) must
// round-trip, and byte 0x5C after a lead byte ("ソ", "表") is a trail byte, not a backslash.

#include "frame/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zanfolio {

QString decodeCp932(const QByteArray& bytes);
// Characters without a code page 932 form become "?" (as Windows does). "〜" (U+301C) and
// "−" (U+2212), which other systems produce for the wave dash and the minus sign, are written
// as "～" and "－" first.
QByteArray encodeCp932(const QString& text);

// Reads a whole text file in code page 932, or in UTF-8 when it begins with the UTF-8
// byte-order mark (as today's editors save it; the mark itself is dropped). Missing or
// unreadable: an error naming the file.
Result<QString> readCp932File(const QString& path);

// Writes lines in code page 932, each ended by CR LF, to a temporary file beside `path` that
// then replaces it in one rename: readers see the old file or the new one, never a part.
Status writeCp932Lines(const QString& path, const QStringList& lines);

} // namespace zanfolio
