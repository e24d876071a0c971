#include "app/sharedstate.h"
#include "sound/soundcommand.h"
#include "sound/sounds.h"
#include "sound/soundtable.h"
#include "support/fakes.h"
#include "support/recordingsound.h"

#include <gtest/gtest.h>

namespace zanfolio {
namespace {

using testing::RecordingSoundDevice;
using testing::ScriptedRandom;

const QString kDir = QStringLiteral("D:\\juku\\音フォルダ\\");

class SoundsTest : public ::testing::Test {
  protected:
    SoundsTest() {
        state.installation.SoundDir = kDir;
        for (int role = 1; role <= kSoundRoleCount; ++role)
            state.sound.SoundTable[size_t(role)][0] = soundRoleName(role);
        setRole(kCorrectSoundRole, {"ピンポン1", "ピンポン2", "ピンポン3"});
        setRole(kWrongSoundRole, {"ブー"});
        setRole(kPersonalBestSoundRole, {"やった1", "やった2"});
        setRole(kFailSoundRole, {"残念"});
    }
    void setRole(int role, const QStringList& names) {
        auto& files = state.sound.SoundTable[size_t(role)];
        for (int k = 1; k <= names.size(); ++k)
            files[size_t(k)] = names[k - 1];
        files[kSoundCountSlot] = QString::number(names.size());
    }
    static QString command(const QString& name) { return "play " + kDir + name + ".wav wait"; }

    SharedState state;
    RecordingSoundDevice device;
    ScriptedRandom random;
    Sounds sounds{state.sound, state.installation, device, random};
};

TEST_F(SoundsTest, EveryOperationSendsItsDocumentedCommand) {
    (void)sounds.PlayCorrectSound();
    (void)sounds.PlayWrongSound();
    sounds.PlayPersonalBestSound();
    sounds.PlayFailSound();
    sounds.PlayOverallBestSound();
    sounds.PlayPassSound();
    sounds.PlayWarningSound();
    EXPECT_EQ(device.commands,
              QStringList({command("ピンポン1"), command("ブー"), command("やった1"),
                           command("残念"), command("最高1"), command("合格"), command("警告1")}));
    EXPECT_EQ(device.commands[4], "play D:\\juku\\音フォルダ\\最高1.wav wait");
}

TEST_F(SoundsTest, DrawsPickEvenlyFromFirstToLastFile) {
    for (float x : {0.0f, 0.33f, 0.34f, 0.66f, 0.67f, 0.99999994f})
        random.push(x);
    for (int i = 0; i < 6; ++i)
        (void)sounds.PlayCorrectSound();
    EXPECT_EQ(device.commands,
              QStringList({command("ピンポン1"), command("ピンポン1"), command("ピンポン2"),
                           command("ピンポン2"), command("ピンポン3"), command("ピンポン3")}));

    // The largest draw below 1 still picks the last of twenty, never a slot past it.
    EXPECT_EQ(Sounds::pickAlternative(0.99999994f, 20), 20);
    EXPECT_EQ(Sounds::pickAlternative(0.0f, 20), 1);
    // Tables edited by hand: a count above the twenty slots, a negative or empty one.
    EXPECT_EQ(Sounds::pickAlternative(0.99f, 50), 20);
    EXPECT_EQ(Sounds::pickAlternative(0.5f, -3), 1);
    EXPECT_EQ(Sounds::pickAlternative(0.5f, 0), 1);
}

TEST_F(SoundsTest, ThreeFailuresThenASuccessStartTheCountAgain) {
    device.fail(3);
    device.succeed();
    device.fail(3);
    for (int i = 0; i < 7; ++i) {
        const SoundOutcome outcome =
            i % 2 == 0 ? sounds.PlayCorrectSound() : sounds.PlayWrongSound();
        EXPECT_FALSE(outcome.endProgram) << i;
    }
    EXPECT_EQ(state.sound.SoundErrorCount, 3);
    EXPECT_EQ(device.commands.size(), 7);
}

TEST_F(SoundsTest, FourthFailureInARowInAnyMixEndsWithTheMessage) {
    const std::vector<std::vector<bool>> mixes{
        {true, true, true, true}, {false, false, false, false}, {true, false, false, true}};
    for (const std::vector<bool>& correct : mixes) {
        state.sound.SoundErrorCount = 0;
        device.results.clear();
        device.fail(3);
        device.fail(1, 275, QStringLiteral("指定されたファイルが見つかりません。"));
        SoundOutcome last;
        for (size_t i = 0; i < correct.size(); ++i) {
            last = correct[i] ? sounds.PlayCorrectSound() : sounds.PlayWrongSound();
            if (i + 1 < correct.size()) {
                ASSERT_FALSE(last.endProgram) << i;
            }
        }
        ASSERT_TRUE(last.endProgram);
        EXPECT_EQ(
            last.message,
            QStringLiteral(
                "音声がでません。先生を呼びなさい。\r\n指定されたファイルが見つかりません。"));
        EXPECT_EQ(last.title, QStringLiteral("音声エラー"));
    }
}

TEST_F(SoundsTest, OtherSoundsIgnoreFailuresAndLeaveTheCountAlone) {
    state.sound.SoundErrorCount = 3;
    device.fallback = {263, QStringLiteral("エラー")};
    sounds.PlayPersonalBestSound();
    sounds.PlayFailSound();
    sounds.PlayOverallBestSound();
    sounds.PlayPassSound();
    sounds.PlayWarningSound();
    EXPECT_EQ(state.sound.SoundErrorCount, 3);
    EXPECT_EQ(device.commands.size(), 5);
    // The next answer failure is still the fourth in a row.
    EXPECT_TRUE(sounds.PlayCorrectSound().endProgram);
}

TEST_F(SoundsTest, RoleWithoutBlockPlaysNothingAndCountsNoFailure) {
    state.sound.SoundTable[kCorrectSoundRole] = {};
    state.sound.SoundTable[kCorrectSoundRole][0] = soundRoleName(kCorrectSoundRole);
    state.sound.SoundErrorCount = 3;
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(sounds.PlayCorrectSound().endProgram);
    EXPECT_TRUE(device.commands.isEmpty());
    EXPECT_EQ(state.sound.SoundErrorCount, 3);
    // The draws are still taken, so other users of the random source see the same sequence.
    EXPECT_EQ(random.taken, 5);
}

TEST_F(SoundsTest, BlockOfMoreThanTwentyNamesPlaysItsFirstFile) {
    // The count slot stays empty for such a block; the pick formula then always gives 1.
    setRole(kFailSoundRole, {"a", "b"});
    state.sound.SoundTable[kFailSoundRole][kSoundCountSlot] = QString();
    random.push(0.9f);
    sounds.PlayFailSound();
    EXPECT_EQ(device.commands, QStringList{command("a")});
}

TEST(SoundCommandTest, WavePathIsTheTextBetweenPlayAndWait) {
    EXPECT_EQ(playCommand("/srv/juku/音フォルダ/", "正解音2-1"),
              "play /srv/juku/音フォルダ/正解音2-1.wav wait");
    EXPECT_EQ(wavePathOfCommand("play /srv/a b/x.wav wait").value(), "/srv/a b/x.wav");
    EXPECT_EQ(wavePathOfCommand("PLAY \"C:\\s\\x.wav\" WAIT").value(), "C:\\s\\x.wav");
    for (const char* bad : {"", "play  wait", "play x.wav", "open x.wav wait", "playwait"})
        EXPECT_FALSE(wavePathOfCommand(QString::fromUtf8(bad))) << bad;
}

} // namespace
} // namespace zanfolio
