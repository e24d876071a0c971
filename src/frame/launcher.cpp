#include "frame/launcher.h"

#include "frame/platformfile.h"

#include <QFileInfo>
#include <QProcess>

namespace zanfolio {

bool SystemLauncher::startDetached(const QString& program, const QStringList& arguments,
                                   QString* error) {
    const QString native = nativePath(program);
    const QFileInfo info(native);
    if (!info.exists()) {
        if (error)
            *error = QStringLiteral("「%1」がありません。").arg(native);
        return false;
    }
    QProcess process;
    process.setProgram(info.absoluteFilePath());
    process.setArguments(arguments);
    process.setWorkingDirectory(info.absolutePath());
    if (!process.startDetached()) {
        if (error)
            *error = process.errorString();
        return false;
    }
    return true;
}

} // namespace zanfolio
