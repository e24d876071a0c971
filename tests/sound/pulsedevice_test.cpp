// The Linux device against a real PulseAudio server: a private one with a null sink (silent,
// started per test suite in a temporary runtime folder), or the session's own server when no
// private one can be started; without either those tests are skipped. The file and connection
// failures need no server and always run. Every call below is bounded by the device's
// watchdog or by a QProcess wait, and ctest adds a time limit on top.

#include "sound/playback/pulsesounddevice.h"
#include "sound/soundcommand.h"
#include "sound/tones/wavetones.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <optional>

namespace zanfolio {
namespace {

using Code = PulseSoundDevice::Code;

// Sets an environment variable for one scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name))
            old_ = qgetenv(name);
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (old_)
            qputenv(name_, *old_);
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<QByteArray> old_;
};

// pulseaudio --daemonize=no with only a null sink and a native socket in a private folder.
class PrivatePulseServer {
  public:
    ~PrivatePulseServer() { stop(); }

    bool start(QString* why) {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty()) {
            *why = QStringLiteral("pulseaudio is not installed");
            return false;
        }
        QDir(dir_.path()).mkpath(QStringLiteral("run"));
        QDir(dir_.path()).mkpath(QStringLiteral("home"));
        QFile::setPermissions(runDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runDir());
        env.insert(QStringLiteral("HOME"), dir_.path() + QStringLiteral("/home"));
        env.remove(QStringLiteral("PULSE_SERVER"));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        // As root pulseaudio wants --system unless told otherwise; --disallow-exit and
        // --exit-idle-time keep it up between the tests.
        process_.start(program,
                       {QStringLiteral("--daemonize=no"), QStringLiteral("--system=false"),
                        QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
                        QStringLiteral("--realtime=false"), QStringLiteral("--high-priority=false"),
                        QStringLiteral("--log-target=stderr"), QStringLiteral("-n"),
                        QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=null"),
                        QStringLiteral("-L"),
                        QStringLiteral("module-native-protocol-unix socket=%1 auth-anonymous=1")
                            .arg(socketPath())});
        if (!process_.waitForStarted(5000)) {
            *why = QStringLiteral("pulseaudio did not start: ") + process_.errorString();
            return false;
        }
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(socketPath()) && waited.elapsed() < 10000 &&
               process_.state() == QProcess::Running)
            QThread::msleep(50);
        if (!QFile::exists(socketPath())) {
            process_.kill();
            process_.waitForFinished(3000);
            *why = QStringLiteral("pulseaudio did not open its socket: ") +
                   QString::fromLocal8Bit(process_.readAll().right(600));
            return false;
        }
        return true;
    }

    void stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
        QFile::remove(socketPath());
    }

    QByteArray address() const { return "unix:" + QFile::encodeName(socketPath()); }
    QByteArray cookie() const {
        return QFile::encodeName(dir_.path() + QStringLiteral("/home/.config/pulse/cookie"));
    }

    // pactl against this server; false when pactl is missing or fails.
    bool pactl(const QStringList& args) const {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pactl"));
        if (program.isEmpty())
            return false;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"), QString::fromUtf8(address()));
        p.setProcessEnvironment(env);
        p.start(program, args);
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished(1000);
            return false;
        }
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

  private:
    QString runDir() const { return dir_.path() + QStringLiteral("/run"); }
    QString socketPath() const { return runDir() + QStringLiteral("/native"); }

    QTemporaryDir dir_;
    QProcess process_;
};

class PulseDeviceTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server_ = new PrivatePulseServer;
        QString why;
        if (server_->start(&why)) {
            qputenv("PULSE_SERVER", server_->address());
            qputenv("PULSE_COOKIE", server_->cookie());
            return;
        }
        delete server_;
        server_ = nullptr;
        // No private server: the session's own one will do, if there is one.
        PulseSoundDevice probe(PulseSoundDevice::Timing{6000, 1000, 3000});
        QTemporaryDir dir;
        const QString wave = dir.path() + QStringLiteral("/probe.wav");
        writeWave(wave, {{0, 0, 0.02, 0, ToneSegment::Wave::Rest}}, kToneSampleRate);
        const PlayResult r = probe.play(playCommand(dir.path() + u'/', QStringLiteral("probe")));
        if (!r.ok())
            skipReason_ = new QString(QStringLiteral("no PulseAudio server: %1; and the default "
                                                     "server fails: %2")
                                          .arg(why, r.errorText));
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
        delete skipReason_;
        skipReason_ = nullptr;
    }
    void SetUp() override {
        if (skipReason_)
            GTEST_SKIP() << skipReason_->toStdString();
    }

    static void writeWave(const QString& path, const std::vector<ToneSegment>& tones, int rate) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(waveFile(renderTones(tones, rate), rate));
    }
    QString dir() const { return tmp_.path() + u'/'; }
    QString tone(const QString& name, double seconds, int rate = kToneSampleRate) {
        writeWave(dir() + name + ".wav", {{660, 990, seconds, 0.4, ToneSegment::Wave::Sine}}, rate);
        return playCommand(dir(), name);
    }
    static qint64 timed(PulseSoundDevice& device, const QString& command, PlayResult* result) {
        QElapsedTimer t;
        t.start();
        *result = device.play(command);
        return t.elapsed();
    }

    static PrivatePulseServer* server_;
    static QString* skipReason_;
    QTemporaryDir tmp_;
};

PrivatePulseServer* PulseDeviceTest::server_ = nullptr;
QString* PulseDeviceTest::skipReason_ = nullptr;

TEST_F(PulseDeviceTest, PlayReturnsSuccessOnceTheSoundHasEnded) {
    const QString shortTone = tone(QStringLiteral("正解音2-1"), 0.2);
    const QString otherFormat = tone(QStringLiteral("low rate"), 0.3, 22050);
    PulseSoundDevice device;
    PlayResult r;
    const qint64 first = timed(device, shortTone, &r);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    const qint64 second = timed(device, shortTone, &r);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    const qint64 third = timed(device, otherFormat, &r);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    std::cout << "0.2 s sound, first play " << first << " ms, second " << second
              << " ms; 0.3 s sound at 22050 Hz " << third << " ms" << std::endl;
    RecordProperty("first_play_ms", int(first));
    RecordProperty("second_play_ms", int(second));
    // Synchronous: none returns before its sound is over, none waits for a time-out.
    for (qint64 ms : {first, second})
        EXPECT_GE(ms, 180);
    EXPECT_GE(third, 280);
    EXPECT_LT(second, 200 + 1500);
}

TEST_F(PulseDeviceTest, SuspendedSinkTimesOutInsteadOfHanging) {
    if (!server_)
        GTEST_SKIP() << "needs the private server (the sink is suspended on purpose)";
    const QString command = tone(QStringLiteral("beep"), 0.2);
    // A generous allowance for the first sound (its stream is cold), a tight one after it.
    PulseSoundDevice device(PulseSoundDevice::Timing{5000, 500, 3000});
    PlayResult r = device.play(command);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    if (!server_->pactl(
            {QStringLiteral("suspend-sink"), QStringLiteral("null"), QStringLiteral("1")}))
        GTEST_SKIP() << "pactl cannot suspend the sink";

    const qint64 ms = timed(device, command, &r);
    const bool resumed = server_->pactl(
        {QStringLiteral("suspend-sink"), QStringLiteral("null"), QStringLiteral("0")});
    ASSERT_TRUE(resumed);
    if (r.ok())
        GTEST_SKIP() << "this server plays on a suspended sink; the watchdog was not needed";
    EXPECT_EQ(r.code, Code::NotResponding) << r.errorText.toStdString();
    EXPECT_LT(ms, 200 + 500 + 1000);

    // The next sound gets a fresh worker and plays; the one left behind ends by itself once
    // the sink runs again.
    r = device.play(command);
    EXPECT_TRUE(r.ok()) << r.errorText.toStdString();
    QElapsedTimer waited;
    waited.start();
    while (device.abandonedWorkers() > 0 && waited.elapsed() < 10000)
        QThread::msleep(50);
    EXPECT_EQ(device.abandonedWorkers(), 0);
}

TEST_F(PulseDeviceTest, ReconnectsAfterTheServerRestarts) {
    if (!server_)
        GTEST_SKIP() << "needs the private server (it is restarted on purpose)";
    const QString command = tone(QStringLiteral("beep"), 0.2);
    PulseSoundDevice device;
    PlayResult r = device.play(command);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();

    server_->stop();
    const qint64 ms = timed(device, command, &r);
    EXPECT_FALSE(r.ok());
    EXPECT_LT(ms, 1500);

    QString why;
    ASSERT_TRUE(server_->start(&why)) << why.toStdString();
    r = device.play(command);
    EXPECT_TRUE(r.ok()) << r.errorText.toStdString();
}

// Without a server (the address names no socket): the file is checked before any stream.
class PulseDeviceWithoutServerTest : public ::testing::Test {
  protected:
    QString dir() const { return tmp_.path() + u'/'; }
    QTemporaryDir tmp_;
    ScopedEnv noServer_{"PULSE_SERVER", "unix:" + QFile::encodeName(tmp_.path() + "/no-socket")};
};

TEST_F(PulseDeviceWithoutServerTest, FaultyCommandsAndFilesFailAtOnce) {
    PulseSoundDevice device;
    QFile garbage(dir() + "garbage.wav");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(2000, 'x'));
    garbage.close();
    struct Case {
        QString command;
        int code;
    };
    for (const Case& c : {Case{playCommand(dir(), "missing"), Code::FileNotFound},
                          Case{playCommand(dir() + "no folder/", "missing"), Code::FileNotFound},
                          Case{playCommand(dir(), "garbage"), Code::FileUnreadable},
                          Case{"open " + dir() + "x.wav", Code::BadCommand}}) {
        QElapsedTimer t;
        t.start();
        const PlayResult r = device.play(c.command);
        EXPECT_EQ(r.code, c.code) << c.command.toStdString();
        EXPECT_FALSE(r.errorText.isEmpty());
        EXPECT_LT(t.elapsed(), 1000) << c.command.toStdString();
    }
}

TEST_F(PulseDeviceWithoutServerTest, NoAudioServerFailsAtOnce) {
    QFile f(dir() + "beep.wav");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(waveFile(renderTones({{880, 880, 0.2, 0.4, ToneSegment::Wave::Sine}})));
    f.close();
    PulseSoundDevice device;
    QElapsedTimer t;
    t.start();
    const PlayResult r = device.play(playCommand(dir(), "beep"));
    EXPECT_EQ(r.code, Code::NoServer) << r.errorText.toStdString();
    EXPECT_LT(t.elapsed(), 1500);
}

} // namespace
} // namespace zanfolio
