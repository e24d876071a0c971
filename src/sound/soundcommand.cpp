#include "sound/soundcommand.h"

namespace zanfolio {

namespace {
const QString& playPrefix() {
    static const QString prefix = QStringLiteral("play ");
    return prefix;
}
const QString& waitSuffix() {
    static const QString suffix = QStringLiteral(" wait");
    return suffix;
}
} // namespace

QString playCommand(const QString& soundDir, const QString& fileName) {
    return playPrefix() + soundDir + fileName + QStringLiteral(".wav") + waitSuffix();
}

std::optional<QString> wavePathOfCommand(const QString& command) {
    // Command words are not case-sensitive for the media control interface.
    if (!command.startsWith(playPrefix(), Qt::CaseInsensitive) ||
        !command.endsWith(waitSuffix(), Qt::CaseInsensitive) ||
        command.size() < playPrefix().size() + waitSuffix().size())
        return std::nullopt;
    QString path = command.mid(playPrefix().size(),
                               command.size() - playPrefix().size() - waitSuffix().size());
    path = path.trimmed();
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.mid(1, path.size() - 2);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace zanfolio
