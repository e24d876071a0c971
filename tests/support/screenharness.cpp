#include "support/screenharness.h"

#include "frame/daycount.h"
#include "frame/forms/fonts.h"
#include "frame/programdefinition.h"
#include "results/resultsfile.h"
#include "sound/soundcommand.h"
#include "startup/configuration.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace zanfolio::testing {

void ensureApplication() {
    if (qApp)
        return;
    static int argc = 1;
    static char name[] = "screen-test";
    static char* argv[] = {name, nullptr};
    // Reachable through this pointer until the process ends: never destroyed on purpose, so
    // no widget outlives its application at exit.
    static QApplication* app = new QApplication(argc, argv);
    applyJapaneseFonts(*app);
    QApplication::setQuitOnLastWindowClosed(false);
}

ScreenHarness::ScreenHarness()
    : state_((ensureApplication(), std::make_unique<SharedState>())), state(*state_),
      sound(device.recording),
      sounds(state, device, random), context{state,    clock,  random, dialogs,    sounds,
                                             launcher, waiter, host,   Navigator{}} {
    install.writeStandardFiles();
    install.writeLines(install.soundDir() + QStringLiteral("新音ファイル.txt"),
                       {QStringLiteral("正解音2"), kCorrectSoundFile, QStringLiteral("*"),
                        QStringLiteral("間違い音2"), kWrongSoundFile, QStringLiteral("*"),
                        QStringLiteral("自己最高音2"), kPersonalBestSoundFile, QStringLiteral("*"),
                        QStringLiteral("不合格音1"), kFailSoundFile, QStringLiteral("*")});
    // Runs kept for later stay inside the test installation.
    state.PendingDir = install.root() + QStringLiteral("この計算機/");
    const Result<QString> configured = LoadStartUpFiles(state, install.programDir(), clock);
    if (!configured)
        ADD_FAILURE() << configured.error().message.toStdString();
    DefineLevelTables(state);

    state.CurrentStudent = kPupil;
    state.StudentName = (QStringLiteral("山田　花子") + QString(20, u' ')).left(20);
    state.StudentGrade = QStringLiteral("小５");
    state.SignInTime = secondsSinceMidnight(clock.now()) - 5 * 60;

    host.show();
}

ScreenHarness::~ScreenHarness() {
    // Screens hold references into this harness: unload them before the members go.
    if (Screen* screen = host.current())
        delete screen;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ScreenHarness::processEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void ScreenHarness::pump(int ms) {
    QTest::qWait(ms);
    processEvents();
}

std::vector<ResultsRecord> ScreenHarness::records() {
    if (!QFile::exists(install.resultsPath()))
        return {};
    RecordingWaiter readWaiter;
    ResultsFile file(install.resultsPath(), readWaiter);
    Result<ResultsTail> tail = file.readTail(0);
    if (!tail) {
        ADD_FAILURE() << tail.error().message.toStdString();
        return {};
    }
    return tail->records;
}

void ScreenHarness::appendRecord(int level, int seconds, int daysAgo, int pupil) {
    ResultsRecord r;
    r.date = dayCount(clock.now().date()) - daysAgo;
    r.timeOfDay = dayFraction(QTime(9, 0));
    r.pupil = int16_t(pupil);
    r.level = int16_t(level);
    r.time = seconds;
    r.schoolCode = ResultsRecord::textField(QStringLiteral("00123"));
    RecordingWaiter appendWaiter;
    ResultsFile file(install.resultsPath(), appendWaiter);
    const Status appended = file.append(r);
    if (!appended)
        ADD_FAILURE() << appended.error().message.toStdString();
}

QString playCommandOf(const ScreenHarness& harness, const QString& baseName) {
    return playCommand(harness.state.SoundDir, baseName);
}

} // namespace zanfolio::testing
