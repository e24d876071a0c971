#pragma once
// A throw-away installation laid out as on the classroom computers:
//   <root>/パスデータ.txt               item 1: the data root
//   <root>/calc/                        the program's folder
//   <root>/data/共通データ.txt, 新名簿.txt, 音フォルダ/
//   <root>/data/calc/タイム回数データ.txt, 成績累積データ.dat

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zanfolio::testing {

class TestInstallation {
  public:
    TestInstallation();

    QString root() const { return dir_.path() + u'/'; }
    QString programDir() const { return root() + QStringLiteral("calc"); }
    QString dataRoot() const { return root() + QStringLiteral("data/"); }
    QString programDataDir() const { return dataRoot() + QStringLiteral("calc/"); }
    QString resultsPath() const { return programDataDir() + QStringLiteral("成績累積データ.dat"); }
    QString criteriaPath() const {
        return programDataDir() + QStringLiteral("タイム回数データ.txt");
    }
    QString rosterPath() const { return dataRoot() + QStringLiteral("新名簿.txt"); }
    QString soundDir() const { return dataRoot() + QStringLiteral("音フォルダ/"); }

    // Text files in code page 932 with CR LF line ends.
    void writeLines(const QString& path, const QStringList& lines) const;
    void writeBytes(const QString& path, const QByteArray& bytes) const;
    QByteArray readBytes(const QString& path) const;

    // The standard files: a path file naming dataRoot(), common settings with the given school
    // line and password, and criteria for five levels (standard 40 s, minimum line 60 s,
    // 30 points and 5 runs to clear within 7 days, no overuse limits).
    void writeStandardFiles(const QString& schoolLine = QStringLiteral("00123テスト塾"),
                            const QString& password = QStringLiteral("1234"),
                            int schoolYearStartMonth = 4) const;
    void writeCriteria(const QStringList& levelLines) const;
    static QStringList standardCriteriaLines();

  private:
    QTemporaryDir dir_;
};

} // namespace zanfolio::testing
