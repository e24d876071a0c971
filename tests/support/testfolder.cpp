#include "support/testfolder.h"

#include "frame/cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zanfolio::testing {

TestInstallation::TestInstallation() {
    QDir(dir_.path()).mkpath(QStringLiteral("calc"));
    QDir(dir_.path()).mkpath(QStringLiteral("data/calc"));
    QDir(dir_.path()).mkpath(QStringLiteral("data/音フォルダ"));
}

void TestInstallation::writeBytes(const QString& path, const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write test file");
    f.write(bytes);
}

QByteArray TestInstallation::readBytes(const QString& path) const {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestInstallation::writeLines(const QString& path, const QStringList& lines) const {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += encodeCp932(line) + "\r\n";
    writeBytes(path, bytes);
}

QStringList TestInstallation::standardCriteriaLines() {
    QStringList lines;
    for (int level = 1; level <= 5; ++level)
        lines << QStringLiteral("40,60,30,5,1,,,7,7,,,");
    return lines;
}

void TestInstallation::writeCriteria(const QStringList& levelLines) const {
    QStringList lines{
        QStringLiteral("目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,")};
    lines << levelLines;
    writeLines(criteriaPath(), lines);
}

void TestInstallation::writeStandardFiles(const QString& schoolLine, const QString& password,
                                          int startMonth) const {
    writeLines(root() + QStringLiteral("パスデータ.txt"),
               {QStringLiteral("\"%1\"").arg(dataRoot()), QStringLiteral("0,0,0,0,0,0,0,0,0")});
    writeLines(dataRoot() + QStringLiteral("共通データ.txt"),
               {QString::number(startMonth), QStringLiteral("\"%1\"").arg(schoolLine),
                QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                QStringLiteral("\"%1\"").arg(password), QStringLiteral("0,0,0,0")});
    writeCriteria(standardCriteriaLines());
}

} // namespace zanfolio::testing
