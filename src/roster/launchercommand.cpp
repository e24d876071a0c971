#include "roster/launchercommand.h"

namespace zanfolio {

LauncherCommand launcherCommand(const QString& appDir) {
    QString folder = appDir;
    QChar separator = folder.contains(u'\\') && !folder.contains(u'/') ? u'\\' : u'/';
    if (folder.endsWith(u'\\') || folder.endsWith(u'/')) {
        separator = folder.back();
        folder.chop(1);
    }
    const QString s(separator);
    return {folder + s + QStringLiteral("..") + s + QStringLiteral("起動") + s +
                QStringLiteral("プログラムメニューc.exe"),
            {QStringLiteral("001")}};
}

} // namespace zanfolio
