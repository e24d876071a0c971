#include "app/sharedstate.h"
#include "frame/cp932.h"
#include "frame/datafiles.h"
#include "startup/configuration.h"
#include "support/fakes.h"
#include "support/testfolder.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

class Configuration : public ::testing::Test {
  protected:
    Status load() { return LoadConfiguration(startUpParts(state), install.programDir(), clock); }

    TestInstallation install;
    FakeClock clock;
    SharedState state;
};

TEST_F(Configuration, ResolvesTheFoldersFromTheProgramFolder) {
    install.writeStandardFiles();
    ASSERT_TRUE(load().ok());
    EXPECT_EQ(state.installation.AppDir, install.programDir() + u'/');
    EXPECT_EQ(state.installation.DataRoot, install.dataRoot());
    EXPECT_EQ(state.installation.ProgramFolderName, QStringLiteral("calc"));
    EXPECT_EQ(state.installation.ProgramDataDir, install.dataRoot() + QStringLiteral("calc/"));
    EXPECT_EQ(state.installation.SoundDir, install.dataRoot() + QStringLiteral("音フォルダ/"));
    EXPECT_EQ(criteriaFile(state.installation), install.criteriaPath());
    EXPECT_EQ(state.program.ProgramTitle, QStringLiteral("Zanfolio"));
    EXPECT_EQ(state.installation.TeacherPassword, Untyped(1234));
    EXPECT_EQ(state.installation.SchoolYearStartMonth.toNumber(), 4);
    EXPECT_EQ(state.Criteria.StandardTime[1], 40);
}

TEST_F(Configuration, BackslashSeparatedFoldersWork) {
    install.writeStandardFiles();
    QString programDir = install.programDir();
    programDir.replace(u'/', u'\\');
    ASSERT_TRUE(LoadConfiguration(startUpParts(state), programDir + u'\\', clock).ok());
    EXPECT_EQ(state.installation.ProgramFolderName, QStringLiteral("calc"));
    EXPECT_EQ(state.Criteria.MinimumLineTime[5], 60);
}

TEST_F(Configuration, DataRootWithoutTrailingSeparatorGetsOne) {
    install.writeStandardFiles();
    QString root = install.dataRoot();
    root.chop(1);
    install.writeLines(install.root() + QStringLiteral("パスデータ.txt"),
                       {root, QStringLiteral("0,0,0,0,0,0,0,0,0")});
    ASSERT_TRUE(load().ok());
    EXPECT_EQ(state.installation.DataRoot, install.dataRoot());
}

TEST_F(Configuration, SettingsFilesSavedAsUtf8WithAByteOrderMarkReadAsUtf8) {
    // Today's editors save as UTF-8 with a byte-order mark; the mark must not become part of
    // the data root's path, and Japanese text must not be read as code page 932.
    install.writeStandardFiles(QStringLiteral("00123テスト塾～①"));
    install.writeLines(
        install.soundDir() + QStringLiteral("新音ファイル.txt"),
        {QStringLiteral("正解音1"), QStringLiteral("ピンポン"), QStringLiteral("*")});
    const QStringList files{install.root() + QStringLiteral("パスデータ.txt"),
                            install.dataRoot() + QStringLiteral("共通データ.txt"),
                            install.criteriaPath(),
                            install.soundDir() + QStringLiteral("新音ファイル.txt")};
    SharedState fromCp932;
    ASSERT_TRUE(LoadStartUpFiles(startUpParts(fromCp932), install.programDir(), clock).ok());
    for (const QString& file : files)
        install.writeBytes(file, "\xEF\xBB\xBF" + decodeCp932(install.readBytes(file)).toUtf8());
    ASSERT_TRUE(LoadStartUpFiles(startUpParts(state), install.programDir(), clock).ok());
    EXPECT_EQ(state.installation.DataRoot, install.dataRoot());
    EXPECT_EQ(state.installation.SchoolName, QStringLiteral("テスト塾～①"));
    EXPECT_EQ(state.installation.SchoolName, fromCp932.installation.SchoolName);
    EXPECT_EQ(state.installation.TeacherPassword, fromCp932.installation.TeacherPassword);
    EXPECT_EQ(state.Criteria.StandardTime[1], 40);
    EXPECT_EQ(state.sound.SoundTable[1][1], QStringLiteral("ピンポン"));
    EXPECT_EQ(state.sound.SoundTable, fromCp932.sound.SoundTable);
}

TEST_F(Configuration, OfferedLevelsWithoutUsableCriteriaAreNamedAndTheProgramGoesOn) {
    install.writeStandardFiles();
    install.writeLines(install.soundDir() + QStringLiteral("新音ファイル.txt"), {});
    struct Case {
        const char* what;
        QStringList levelLines;
        QStringList named; // the lines the warning must hold
    };
    const QString good = QStringLiteral("40,60,30,5,1,,,7,7,,,");
    for (const Case& c : {
             Case{"a complete file", {good, good, good, good, good}, {}},
             Case{"cut after level 3",
                  {good, good, good},
                  {QStringLiteral("レベル4（引き算２）：行がありません"),
                   QStringLiteral("レベル5（混合）：行がありません")}},
             Case{"zero, empty and negative times",
                  {good, QStringLiteral("0,60,30,5,1,,,7,7,,,"),
                   QStringLiteral(",,30,5,1,,,7,7,,,"), QStringLiteral("40,-1,30,5,1,,,7,7,,,"),
                   good},
                  {QStringLiteral("レベル2（引き算１）：目標Timeが正の数ではありません"),
                   QStringLiteral("レベル3（足し算２）：目標Timeと最低Timeが正の数ではありません"),
                   QStringLiteral("レベル4（引き算２）：最低Timeが正の数ではありません")}},
         }) {
        install.writeCriteria(c.levelLines);
        SharedState s;
        const Result<QString> warning =
            LoadStartUpFiles(startUpParts(s), install.programDir(), clock);
        ASSERT_TRUE(warning.ok()) << c.what;
        if (c.named.isEmpty()) {
            EXPECT_EQ(*warning, QString()) << c.what;
            continue;
        }
        EXPECT_TRUE(warning->startsWith(
            QStringLiteral("基準データ「%1」に次の問題があります。").arg(install.criteriaPath())))
            << c.what;
        const QStringList lines = warning->split(u'\n');
        for (const QString& line : c.named)
            EXPECT_TRUE(lines.contains(line)) << c.what << ": " << line.toStdString();
        EXPECT_EQ(lines.size(), c.named.size() + 2) << c.what;
    }
}

TEST_F(Configuration, MissingOrShortFilesGiveAnErrorNamingTheFile) {
    struct Case {
        const char* name;
        std::function<void(const TestInstallation&)> damage;
        const char* fileName;
    };
    const std::vector<Case> cases{
        {"path file missing",
         [](const TestInstallation& i) {
             QFile::remove(i.root() + QStringLiteral("パスデータ.txt"));
         },
         "パスデータ.txt"},
        {"path file with one item",
         [](const TestInstallation& i) {
             i.writeLines(i.root() + QStringLiteral("パスデータ.txt"), {i.dataRoot()});
         },
         "パスデータ.txt"},
        {"common file short",
         [](const TestInstallation& i) {
             i.writeLines(i.dataRoot() + QStringLiteral("共通データ.txt"),
                          {QStringLiteral("4,school,0")});
         },
         "共通データ.txt"},
        {"criteria missing", [](const TestInstallation& i) { QFile::remove(i.criteriaPath()); },
         "タイム回数データ.txt"},
    };
    for (const Case& c : cases) {
        TestInstallation fresh;
        fresh.writeStandardFiles();
        c.damage(fresh);
        SharedState s;
        Status status = LoadConfiguration(startUpParts(s), fresh.programDir(), clock);
        ASSERT_FALSE(status.ok()) << c.name;
        EXPECT_TRUE(status.error().endsProgram) << c.name;
        EXPECT_TRUE(status.error().message.contains(QString::fromUtf8(c.fileName))) << c.name;
    }
}

TEST(SchoolLine, SplitsAFiveDigitCodeFromTheName) {
    struct Case {
        const char* line;
        const char* code; // nullptr: empty
        const char* name;
    };
    for (const Case& c :
         {Case{"00123テスト塾", "00123", "テスト塾"}, Case{"テスト塾", nullptr, "テスト塾"},
          Case{"00000本校", nullptr, "00000本校"}, Case{"12345", "12345", ""}}) {
        Untyped code;
        QString name;
        splitSchoolLine(QString::fromUtf8(c.line), &code, &name);
        if (c.code)
            EXPECT_EQ(code.toText(), QString::fromUtf8(c.code)) << c.line;
        else
            EXPECT_TRUE(code.isEmpty()) << c.line;
        EXPECT_EQ(name, QString::fromUtf8(c.name)) << c.line;
    }
}

TEST(SeasonColour, ByMonth) {
    const uint32_t expected[13] = {0,        0x0080FF, 0x0080FF, 0xC0FFC0, 0xC0FFC0,
                                   0xC0FFC0, 0xC0C000, 0xC0C000, 0xC0C000, 0x0040C0,
                                   0x0040C0, 0x0040C0, 0xC0FFC0};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(seasonColourForMonth(month), expected[month]) << month;
}

} // namespace
