// Code page 932 through Win32 (MultiByteToWideChar, WideCharToMultiByte), giving the bytes and
// characters of ICU's windows-31j converter that the Linux build uses. Where the two differ:
//  - Win32 writes "?" for default-ignorable characters, ICU leaves them out;
//  - Win32 maps U+0080 and U+F8F0..U+F8F3 to the single bytes 80, A0, FD..FF, ICU to "?";
//    ICU writes U+F86F as 87 82, Win32 as "?";
//  - ICU swaps three control characters (U+001A is byte 7F, U+001C is 1A, U+007F is 1C), as
//    IBM's code page 943 that it is built on does; Win32 keeps them;
//  - reading, Win32 turns a broken pair into "・" (U+30FB) and may swallow the byte after a
//    lead byte; ICU writes SUB (U+001A) for a single byte that starts nothing, U+FFFD for a
//    pair without a character, and reads a byte that cannot be a trail byte on its own.
// Without WC_NO_BEST_FIT_CHARS Win32 would also write look-alikes ("e" for "é") where ICU
// writes "?".
#include "frame/cp932codec.h"

#include <algorithm>
#include <string>
#include <windows.h>

namespace zanfolio::cp932codec {

namespace {

constexpr UINT kCodePage = 932;

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// ICU's reading of the three swapped control bytes; other bytes below 80 are ASCII.
char16_t controlCharacter(unsigned char b) {
    switch (b) {
    case 0x1A:
        return 0x1C;
    case 0x1C:
        return 0x7F;
    case 0x7F:
        return 0x1A;
    default:
        return b;
    }
}

// Whole text without a broken pair: one call, then the control swap.
bool convertWhole(const QByteArray& bytes, QString* out) {
    const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.constData(),
                                      int(bytes.size()), nullptr, 0);
    if (n <= 0)
        return false;
    out->resize(n);
    MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t*>(out->data()), n);
    for (QChar& c : *out)
        if (c.unicode() == 0x1A || c.unicode() == 0x1C || c.unicode() == 0x7F)
            c = QChar(controlCharacter(uchar(c.unicode())));
    return true;
}

// Byte by byte, ICU's way, for a text with broken pairs or stray bytes (80, A0, FD..FF).
QString convertCareful(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned char b = uchar(bytes[i]);
        if (b < 0x80) {
            out += QChar(controlCharacter(b));
            ++i;
        } else if (b >= 0xA1 && b <= 0xDF) {
            out += QChar(char16_t(0xFF61 + (b - 0xA1))); // half-width katakana
            ++i;
        } else if (isLeadByte(b) && i + 1 < size && isTrailByte(uchar(bytes[i + 1]))) {
            wchar_t c = 0;
            const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS,
                                              bytes.constData() + i, 2, &c, 1);
            out += n == 1 ? QChar(char16_t(c)) : QChar(QChar::ReplacementCharacter);
            i += 2;
        } else {
            out += QChar(char16_t(0x1A)); // SUB
            ++i;
        }
    }
    return out;
}

// Default_Ignorable_Code_Point of the Unicode character database, which ICU leaves out.
bool isDefaultIgnorable(char32_t c) {
    static constexpr char32_t kRanges[][2] = {
        {0x00AD, 0x00AD},   {0x034F, 0x034F}, {0x061C, 0x061C},   {0x115F, 0x1160},
        {0x17B4, 0x17B5},   {0x180B, 0x180F}, {0x200B, 0x200F},   {0x202A, 0x202E},
        {0x2060, 0x206F},   {0x3164, 0x3164}, {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},
        {0xFFA0, 0xFFA0},   {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A},
        {0xE0000, 0xE0FFF},
    };
    for (const auto& r : kRanges)
        if (c >= r[0] && c <= r[1])
            return true;
    return false;
}

// The characters ICU writes otherwise than Win32 (see the top of the file); empty: no such.
QByteArray icuBytes(char16_t c) {
    switch (c) {
    case 0x001A:
        return QByteArray(1, '\x7F');
    case 0x001C:
        return QByteArray(1, '\x1A');
    case 0x007F:
        return QByteArray(1, '\x1C');
    case 0x0080:
    case 0xF8F0:
    case 0xF8F1:
    case 0xF8F2:
    case 0xF8F3:
        return QByteArrayLiteral("?");
    case 0xF86F:
        return QByteArrayLiteral("\x87\x82");
    default:
        return {};
    }
}

void appendConverted(QByteArray& out, const std::wstring& run) {
    if (run.empty())
        return;
    const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, run.data(), int(run.size()),
                                      nullptr, 0, "?", nullptr);
    if (n <= 0)
        return;
    const qsizetype at = out.size();
    out.resize(at + n);
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, run.data(), int(run.size()),
                        out.data() + at, n, "?", nullptr);
}

} // namespace

QString toUnicode(const QByteArray& bytes) {
    QString out;
    // Win32 reads the stray bytes 80, A0 and FD..FF as U+0080 and U+F8F0..U+F8F3, which no
    // pair gives; ICU reads them as SUB.
    const auto stray = [](QChar c) {
        return c.unicode() == 0x80 || (c.unicode() >= 0xF8F0 && c.unicode() <= 0xF8F3);
    };
    if (convertWhole(bytes, &out) && std::none_of(out.cbegin(), out.cend(), stray))
        return out;
    return convertCareful(bytes);
}

QByteArray fromUnicode(const QString& text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    std::wstring run; // characters Win32 converts as ICU does, not yet converted
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && text[i + 1].isLowSurrogate()) {
            // Code page 932 has nothing beyond the basic plane.
            if (!isDefaultIgnorable(QChar::surrogateToUcs4(c, text[i + 1].unicode())))
                run += L'?';
            ++i;
        } else if (QChar::isSurrogate(c)) {
            run += L'?'; // half a pair
        } else if (isDefaultIgnorable(c)) {
            continue;
        } else if (const QByteArray special = icuBytes(c); !special.isEmpty()) {
            appendConverted(out, run);
            run.clear();
            out += special;
        } else {
            run += wchar_t(c);
        }
    }
    appendConverted(out, run);
    return out;
}

} // namespace zanfolio::cp932codec
