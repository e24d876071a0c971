#include "frame/cp932.h"

#include "frame/platformfile.h"

#include <memory>
#include <unicode/ucnv.h>

namespace zanfolio {

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter() {
    UErrorCode status = U_ZERO_ERROR;
    Converter c(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status))
        qFatal("ICU has no windows-31j converter");
    return c;
}

} // namespace

QString decodeCp932(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    Converter c = openConverter();
    UErrorCode status = U_ZERO_ERROR;
    QString out(bytes.size() * 2 + 1, Qt::Uninitialized);
    const int32_t n =
        ucnv_toUChars(c.get(), reinterpret_cast<UChar*>(out.data()), int32_t(out.size()),
                      bytes.constData(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return QString::fromLatin1(bytes);
    out.resize(n);
    return out;
}

QByteArray encodeCp932(const QString& text) {
    if (text.isEmpty())
        return {};
    QString normalised = text;
    normalised.replace(QChar(0x301C), QChar(0xFF5E)).replace(QChar(0x2212), QChar(0xFF0D));
    Converter c = openConverter();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setSubstChars(c.get(), "?", 1, &status);
    status = U_ZERO_ERROR;
    QByteArray out(normalised.size() * 2 + 1, Qt::Uninitialized);
    const int32_t n = ucnv_fromUChars(c.get(), out.data(), int32_t(out.size()),
                                      reinterpret_cast<const UChar*>(normalised.constData()),
                                      int32_t(normalised.size()), &status);
    if (U_FAILURE(status))
        return normalised.toLatin1();
    out.resize(n);
    return out;
}

Result<QString> readCp932File(const QString& path) {
    Result<QByteArray> bytes = readWholeFile(path);
    if (!bytes)
        return bytes.error();
    static const QByteArray kUtf8Mark("\xEF\xBB\xBF");
    if (bytes->startsWith(kUtf8Mark))
        return QString::fromUtf8(bytes->constData() + kUtf8Mark.size(),
                                 bytes->size() - kUtf8Mark.size());
    return decodeCp932(*bytes);
}

Status writeCp932Lines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encodeCp932(line);
        bytes += "\r\n";
    }
    return replaceFileAtomically(path, bytes);
}

} // namespace zanfolio
