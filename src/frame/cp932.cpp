#include "frame/cp932.h"

#include "frame/cp932codec.h"
#include "frame/platformfile.h"

namespace zanfolio {

QString decodeCp932(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    return cp932codec::toUnicode(bytes);
}

QByteArray encodeCp932(const QString& text) {
    if (text.isEmpty())
        return {};
    QString normalised = text;
    normalised.replace(QChar(0x301C), QChar(0xFF5E)).replace(QChar(0x2212), QChar(0xFF0D));
    return cp932codec::fromUnicode(normalised);
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
