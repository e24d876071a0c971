#include "app/sharedstate.h"
#include "sound/soundtable.h"
#include "sound/tones/demosounds.h"
#include "support/fakes.h"
#include "support/testfolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace zanfolio {
namespace {

using testing::TestInstallation;

class SoundTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state.installation.SoundDir = install.soundDir();
        // Leftovers of an earlier load must not survive a new one.
        state.sound.SoundTable[2][5] = QStringLiteral("stale");
        state.sound.SoundTable[4][kSoundCountSlot] = QStringLiteral("7");
    }
    Status load(const QStringList& lines) {
        install.writeLines(install.soundDir() + QStringLiteral("新音ファイル.txt"), lines);
        return LoadSoundTable(state.installation, state.sound);
    }
    const QString& slot(int role, int k) const {
        return state.sound.SoundTable[size_t(role)][size_t(k)];
    }
    QString count(int role) const { return slot(role, kSoundCountSlot); }

    TestInstallation install;
    SharedState state;
};

TEST_F(SoundTableTest, BlocksInAnyOrderFillTheirRolesAndEveryRoleGetsItsName) {
    ASSERT_TRUE(load({QStringLiteral("不合格音1"), QStringLiteral("だめ"), QStringLiteral("*"),
                      QStringLiteral("正解音2"), QStringLiteral("ピンポン"),
                      QStringLiteral("\"ピン,ポン\""), QStringLiteral("*"),
                      QStringLiteral("間違い音2,ブー,*")}));
    const QStringList names{"正解音1", "正解音2",     "間違い音1",   "間違い音2",   "最高音1",
                            "最高音2", "自己最高音1", "自己最高音2", "自己最高音3", "不合格音1"};
    for (int role = 1; role <= kSoundRoleCount; ++role)
        EXPECT_EQ(slot(role, 0), names[role - 1]) << role;

    EXPECT_EQ(count(2), "2");
    EXPECT_EQ(slot(2, 1), "ピンポン");
    EXPECT_EQ(slot(2, 2), "ピン,ポン");
    EXPECT_EQ(slot(2, 5), ""); // not left from before
    EXPECT_EQ(count(4), "1");  // a block on one line, comma-separated
    EXPECT_EQ(slot(4, 1), "ブー");
    EXPECT_EQ(count(10), "1");
    EXPECT_EQ(slot(10, 1), "だめ");
    EXPECT_EQ(count(8), ""); // no block: no count
    EXPECT_EQ(slot(8, 1), "");
}

TEST_F(SoundTableTest, UnknownItemsAndFullWidthDigitHeadersAreSkipped) {
    // "正解音２" (full-width digit) and "正解音 2" are no roles: they and the items after them
    // are skipped one by one until an item names a role.
    ASSERT_TRUE(load(
        {QStringLiteral("効果音の一覧"), QStringLiteral("正解音２"), QStringLiteral("自己最高音2"),
         QStringLiteral("*"), QStringLiteral("正解音 2"), QStringLiteral("x"), QStringLiteral("*"),
         QStringLiteral("自己最高音3"), QStringLiteral("やった"), QStringLiteral("*")}));
    EXPECT_EQ(count(2), "");
    // The "自己最高音2" after the unrecognised header is a header itself: an empty block.
    EXPECT_EQ(count(8), "0");
    EXPECT_EQ(count(9), "1");
    EXPECT_EQ(slot(9, 1), "やった");
}

QStringList block(const QString& role, int names, bool closed = true) {
    QStringList lines{role};
    for (int i = 1; i <= names; ++i)
        lines << QStringLiteral("f%1").arg(i);
    if (closed)
        lines << QStringLiteral("*");
    return lines;
}

TEST_F(SoundTableTest, BlockSizesAroundTwentyNames) {
    struct Case {
        int names;
        QString expectedCount;
        int storedNames;
    };
    for (const Case& c :
         {Case{19, "19", 19}, Case{20, "20", 20}, Case{21, "", 20}, Case{25, "", 20}}) {
        SCOPED_TRACE(c.names);
        state = SharedState();
        state.installation.SoundDir = install.soundDir();
        QStringList lines = block(QStringLiteral("正解音2"), c.names);
        lines << block(QStringLiteral("間違い音2"), 1);
        ASSERT_TRUE(load(lines));
        EXPECT_EQ(count(2), c.expectedCount);
        for (int k = 1; k <= 20; ++k)
            EXPECT_EQ(slot(2, k), k <= c.storedNames ? QStringLiteral("f%1").arg(k) : QString());
        // The block after it is read normally in every case.
        EXPECT_EQ(count(4), "1");
        EXPECT_EQ(slot(4, 1), "f1");
    }
}

TEST_F(SoundTableTest, NamesAfterTheTwentiethAreReadAsHeaders) {
    QStringList lines = block(QStringLiteral("正解音2"), 20, false);
    lines << QStringLiteral("間違い音2") << QStringLiteral("ブー") << QStringLiteral("*");
    ASSERT_TRUE(load(lines));
    EXPECT_EQ(count(2), "");
    EXPECT_EQ(count(4), "1");
    EXPECT_EQ(slot(4, 1), "ブー");
}

TEST_F(SoundTableTest, LastBlockWithoutItsStarEndsAtTheEndOfTheFile) {
    ASSERT_TRUE(
        load({QStringLiteral("正解音2"), QStringLiteral("ピンポン"), QStringLiteral("*"),
              QStringLiteral("間違い音2"), QStringLiteral("ブー"), QStringLiteral("ブブー")}));
    EXPECT_EQ(count(2), "1");
    EXPECT_EQ(count(4), "2");
    EXPECT_EQ(slot(4, 2), "ブブー");
}

TEST_F(SoundTableTest, MissingListIsAnErrorNamingItThatEndsTheProgram) {
    const Status loaded = LoadSoundTable(state.installation, state.sound);
    ASSERT_FALSE(loaded);
    EXPECT_TRUE(loaded.error().endsProgram);
    EXPECT_TRUE(loaded.error().message.contains(install.soundDir() + "新音ファイル.txt"))
        << loaded.error().message.toStdString();
}

TEST_F(SoundTableTest, DemonstrationSetLoadsWithEveryFilePresent) {
    ASSERT_TRUE(writeDemoSounds(install.soundDir()));
    ASSERT_TRUE(LoadSoundTable(state.installation, state.sound));
    for (int role = 1; role <= kSoundRoleCount; ++role) {
        const int n = count(role).toInt();
        EXPECT_EQ(n, int(demoRoleSounds(role).size())) << role;
        for (int k = 1; k <= n; ++k)
            EXPECT_TRUE(QFile::exists(install.soundDir() + slot(role, k) + ".wav"))
                << slot(role, k).toStdString();
    }
    for (const DemoSound& fixed : demoFixedSounds())
        EXPECT_TRUE(QFile::exists(install.soundDir() + fixed.fileName + ".wav"));
}

} // namespace
} // namespace zanfolio
