// Code page 932 through ICU's windows-31j converter (Linux and other non-Windows systems).
#include "frame/cp932codec.h"

#include <memory>
#include <unicode/ucnv.h>

namespace zanfolio::cp932codec {

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

QString toUnicode(const QByteArray& bytes) {
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

QByteArray fromUnicode(const QString& text) {
    Converter c = openConverter();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setSubstChars(c.get(), "?", 1, &status);
    status = U_ZERO_ERROR;
    QByteArray out(text.size() * 2 + 1, Qt::Uninitialized);
    const int32_t n = ucnv_fromUChars(c.get(), out.data(), int32_t(out.size()),
                                      reinterpret_cast<const UChar*>(text.constData()),
                                      int32_t(text.size()), &status);
    if (U_FAILURE(status))
        return text.toLatin1();
    out.resize(n);
    return out;
}

} // namespace zanfolio::cp932codec
