// The parts of the platform file layer that need no system call of their own.

#include "frame/platformfile.h"

#include <QFileInfo>

namespace zanfolio {

Result<QByteArray> readWholeFile(const QString& path) {
    Result<PlatformFile> file = PlatformFile::open(path, PlatformFile::Mode::Read);
    if (!file)
        return file.error();
    Result<qint64> size = file->size();
    if (!size)
        return size.error();
    return file->readAt(0, *size);
}

QString fileFaultText(FileFault fault) {
    switch (fault) {
    case FileFault::NoPermission:
        return QStringLiteral("アクセスする許可がありません");
    case FileFault::ReadOnly:
        return QStringLiteral("読み取り専用のため書き込めません");
    case FileFault::DiskFull:
        return QStringLiteral("ディスクの空きがありません");
    case FileFault::Missing:
        return QStringLiteral("ファイルまたはフォルダが見つかりません");
    case FileFault::InUse:
        return QStringLiteral("他のプログラムが使用中です");
    }
    return QString();
}

bool fileExists(const QString& path) {
    return QFileInfo::exists(nativePath(path));
}

Status replaceFileAtomically(const QString& path, const QByteArray& bytes) {
    const QString temp = path + QStringLiteral(".tmp~");
    {
        Result<PlatformFile> file = PlatformFile::open(temp, PlatformFile::Mode::CreateEmpty);
        if (!file)
            return Error{path, file.error().message, false, file.error().kind, file.error().code};
        Status written = file->writeAt(0, bytes);
        if (written)
            written = file->flush();
        if (!written) {
            (void)removeFile(temp);
            return written.error();
        }
    }
    Status renamed = renameOver(temp, path);
    if (!renamed)
        (void)removeFile(temp);
    return renamed;
}

} // namespace zanfolio
