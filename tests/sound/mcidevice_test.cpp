// The Windows device: the command string goes to the media control interface as it is, the
// sound plays to its end before play() returns, and a missing file gives the system's text,
// which the answer sounds put under their Japanese message after the tolerated failures.
// Needs an audio output (under wine: a PulseAudio server, which scripts/windows starts).

#include "app/sharedstate.h"
#include "sound/playback/mcisounddevice.h"
#include "sound/soundcommand.h"
#include "sound/sounds.h"
#include "sound/soundtable.h"
#include "sound/tones/wavetones.h"
#include "support/fakes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>

namespace zanfolio {
namespace {

using testing::ScriptedRandom;

class MciDeviceTest : public ::testing::Test {
  protected:
    MciDeviceTest() { QDir(tmp_.path()).mkpath(QStringLiteral("音フォルダ")); }

    // The sound folder as the installations write it: "\" separated, ending with one.
    QString soundDir() const {
        return QDir::toNativeSeparators(tmp_.path() + QStringLiteral("/音フォルダ/"));
    }
    void writeTone(const QString& name, double seconds) {
        QFile f(tmp_.path() + QStringLiteral("/音フォルダ/") + name + QStringLiteral(".wav"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(waveFile(renderTones({{660, 990, seconds, 0.4, ToneSegment::Wave::Sine}})));
    }

    QTemporaryDir tmp_;
    MciSoundDevice device_;
};

TEST_F(MciDeviceTest, PlayReturnsOnceTheSoundHasEnded) {
    writeTone(QStringLiteral("正解音2-1"), 0.4);
    const QString command = playCommand(soundDir(), QStringLiteral("正解音2-1"));
    for (int i = 0; i < 2; ++i) {
        QElapsedTimer t;
        t.start();
        const PlayResult r = device_.play(command);
        const qint64 ms = t.elapsed();
        ASSERT_TRUE(r.ok()) << r.code << " " << r.errorText.toStdString();
        std::cout << "0.4 s sound, play " << i + 1 << ": " << ms << " ms" << std::endl;
        EXPECT_GE(ms, 380);
        EXPECT_LT(ms, 400 + 3000);
    }
}

TEST_F(MciDeviceTest, MissingFileFailsAtOnceWithTheSystemsText) {
    QElapsedTimer t;
    t.start();
    const PlayResult r = device_.play(playCommand(soundDir(), QStringLiteral("ない音")));
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.errorText.isEmpty());
    EXPECT_LT(t.elapsed(), 2000);
    std::cout << "missing file: MCI error " << r.code << std::endl;
}

// The answer sounds over the real device: a role whose files are missing fails like a broken
// output; three failures are let pass, the fourth ends the program with the message and the
// system's text; a sound that plays starts the count again.
TEST_F(MciDeviceTest, MissingAnswerSoundsEndTheProgramOnTheFourthFailure) {
    writeTone(QStringLiteral("ピンポン"), 0.1);
    SharedState state;
    state.installation.SoundDir = soundDir();
    for (int role = 1; role <= kSoundRoleCount; ++role)
        state.sound.SoundTable[size_t(role)][0] = soundRoleName(role);
    state.sound.SoundTable[size_t(kCorrectSoundRole)][1] = QStringLiteral("ピンポン");
    state.sound.SoundTable[size_t(kCorrectSoundRole)][kSoundCountSlot] = QStringLiteral("1");
    state.sound.SoundTable[size_t(kWrongSoundRole)][1] = QStringLiteral("ない音");
    state.sound.SoundTable[size_t(kWrongSoundRole)][kSoundCountSlot] = QStringLiteral("1");
    ScriptedRandom random;
    Sounds sounds(state.sound, state.installation, device_, random);

    for (int i = 0; i < 3; ++i)
        ASSERT_FALSE(sounds.PlayWrongSound().endProgram) << i;
    EXPECT_EQ(state.sound.SoundErrorCount, 3);
    ASSERT_FALSE(sounds.PlayCorrectSound().endProgram);
    EXPECT_EQ(state.sound.SoundErrorCount, 0);

    for (int i = 0; i < 3; ++i)
        ASSERT_FALSE(sounds.PlayWrongSound().endProgram) << i;
    const SoundOutcome last = sounds.PlayWrongSound();
    ASSERT_TRUE(last.endProgram);
    const PlayResult missing = device_.play(playCommand(soundDir(), QStringLiteral("ない音")));
    EXPECT_EQ(last.message,
              QStringLiteral("音声がでません。先生を呼びなさい。\r\n") + missing.errorText);
    EXPECT_EQ(last.title, QStringLiteral("音声エラー"));
    std::cout << "the message's last line: " << missing.errorText.toStdString() << std::endl;
}

} // namespace
} // namespace zanfolio
