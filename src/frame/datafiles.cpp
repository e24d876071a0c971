#include "frame/datafiles.h"

#include "frame/installation.h"
#include "frame/paths.h"
#include "frame/platformfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace zanfolio {

QString pathSettingsFile(const Installation& s) {
    return s.AppDir + QStringLiteral("..") + separatorOf(s.AppDir) +
           QStringLiteral("パスデータ.txt");
}
QString commonSettingsFile(const Installation& s) {
    return s.DataRoot + QStringLiteral("共通データ.txt");
}
QString criteriaFile(const Installation& s) {
    return s.ProgramDataDir + QStringLiteral("タイム回数データ.txt");
}
QString resultsFile(const Installation& s) {
    return s.ProgramDataDir + QStringLiteral("成績累積データ.dat");
}
QString rosterFile(const Installation& s) {
    return s.DataRoot + QStringLiteral("新名簿.txt");
}
QString mistakesFile(const Installation& s) {
    return s.ProgramDataDir + QStringLiteral("誤答記録.csv");
}
QString answersFile(const Installation& s) {
    return s.ProgramDataDir + QStringLiteral("解答記録.csv");
}

namespace {

// Eight hexadecimal digits naming a shared file: one pending file per shared file, since
// several installations may share this computer.
QString pendingTag(const QString& sharedFile) {
    const QByteArray key = QDir::cleanPath(nativePath(sharedFile)).toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(8));
}

} // namespace

QString pendingRunsFile(const Installation& s) {
    return s.PendingDir + QStringLiteral("未記録の成績-") + pendingTag(resultsFile(s)) +
           QStringLiteral(".dat");
}

QString mistakesPendingFile(const Installation& s) {
    return s.PendingDir + QStringLiteral("未記録の誤答-") + pendingTag(mistakesFile(s)) +
           QStringLiteral(".csv");
}

QString answersPendingFile(const Installation& s) {
    return s.PendingDir + QStringLiteral("未記録の解答-") + pendingTag(answersFile(s)) +
           QStringLiteral(".csv");
}

QString defaultPendingDir() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Zanfolio/");
}

uint32_t seasonColourForMonth(int month) {
    switch (month) {
    case 1:
    case 2:
        return 0x0080FF;
    case 3:
    case 4:
    case 5:
    case 12:
        return 0xC0FFC0;
    case 6:
    case 7:
    case 8:
        return 0xC0C000;
    default:
        return 0x0040C0;
    }
}

} // namespace zanfolio
