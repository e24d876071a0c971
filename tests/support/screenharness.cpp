#include "support/screenharness.h"

#include "frame/daycount.h"
#include "frame/forms/fonts.h"
#include "frame/programdefinition.h"
#include "results/resultsfile.h"
#include "results/statistics.h"
#include "roster/namelist.h"
#include "sound/soundcommand.h"
#include "startup/configuration.h"
#include "support/screenshots.h"
#include "support/testrecords.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace zanfolio::testing {

namespace {

QString rosterLine(int pupil, int birthYear, const QString& name) {
    return QStringLiteral("%1,%2,0,0,\"%3\",0,\"\",\"\"").arg(pupil).arg(birthYear).arg(name);
}

// A run of the classroom, without a school code.
ResultsRecord classroomRun(const QDate& date, const QTime& time, int pupil, int level,
                           int seconds) {
    return testRecord(pupil, level, seconds).date(dayCount(date)).timeOfDay(dayFraction(time));
}

} // namespace

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

ScreenHarness::ScreenHarness() {
    install.writeStandardFiles();
    install.writeLines(install.soundDir() + QStringLiteral("新音ファイル.txt"),
                       {QStringLiteral("正解音2"), kCorrectSoundFile, QStringLiteral("*"),
                        QStringLiteral("間違い音2"), kWrongSoundFile, QStringLiteral("*"),
                        QStringLiteral("自己最高音2"), kPersonalBestSoundFile, QStringLiteral("*"),
                        QStringLiteral("不合格音1"), kFailSoundFile, QStringLiteral("*")});
    // Runs kept for later stay inside the test installation.
    state.installation.PendingDir = install.root() + QStringLiteral("この計算機/");
    const Result<QString> configured =
        LoadStartUpFiles(startUpParts(), install.programDir(), clock);
    if (!configured)
        ADD_FAILURE() << configured.error().message.toStdString();
    DefineLevelTables(state.program);

    state.session.CurrentStudent = kPupil;
    state.session.StudentName = (QStringLiteral("山田　花子") + QString(20, u' ')).left(20);
    state.session.StudentGrade = QStringLiteral("小５");
    state.session.SignInTime = secondsSinceMidnight(clock.now()) - 5 * 60;

    host.show();
}

ScreenHarness::ScreenHarness(const Classroom& classroom) {
    install.writeStandardFiles();
    install.writeCriteria(classroom.criteria);
    install.writeLines(install.rosterPath(),
                       {rosterLine(Classroom::kSato, 2017, QStringLiteral("佐藤")),
                        rosterLine(Classroom::kSuzuki, 2017, QStringLiteral("鈴木")),
                        rosterLine(Classroom::kTakahashi, 2014, QStringLiteral("高橋")),
                        rosterLine(Classroom::kTanaka, 2012, QStringLiteral("田中")),
                        rosterLine(Classroom::kTeacher, 1980, QStringLiteral("山田先生"))});
    const QDate today = clock.now().date();
    append(classroomRun(today, QTime(9, 0), Classroom::kSato, 1, 30));                // 5 points
    append(classroomRun(today, QTime(9, 10), Classroom::kSato, 2, 60));               // 4 points
    append(classroomRun(today.addDays(-1), QTime(15, 0), Classroom::kSuzuki, 1, 35)); // 5 points
    append(classroomRun(today, QTime(9, 20), Classroom::kTakahashi, 1, kNoTime));
    const Status loaded = LoadConfiguration(startUpParts(), install.programDir(), clock);
    if (!loaded)
        ADD_FAILURE() << loaded.error().message.toStdString();
    // The wrong-answer sound, so that playing it reaches the recording device.
    state.sound.SoundTable[4][1] = QStringLiteral("不正解");
    state.sound.SoundTable[4][21] = QStringLiteral("1");
    context.navigate.showRosterForm = [this] { ++went.rosterForm; };
    context.navigate.showResultsMenu = [this] { ++went.resultsMenu; };
    context.navigate.startRun = [this] { ++went.runs; };
    context.navigate.showRecordsBrowser = [this] { ++went.recordsBrowser; };
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

void ScreenHarness::snapshot(const QString& name) {
    saveScreenshot(host, name);
}

void ScreenHarness::signIn(int pupil) {
    const StatisticsPass statistics = [this]() -> Status {
        ResultsFile file(install.resultsPath(), waiter);
        return ComputePupilStatistics(state.Stats, state.Criteria, file, clock);
    };
    const Result<NameList> listed =
        zanfolio::名簿表示(state.roster, state.installation, state.Stats, NameListRequest{}, clock,
                           waiter, statistics);
    if (!listed)
        ADD_FAILURE() << listed.error().message.toStdString();
    state.session.CurrentStudent = pupil;
    state.session.StudentName = state.roster.RosterNames[size_t(pupil)];
    state.session.StudentGrade = state.roster.RosterGradeLabels[size_t(pupil)];
    state.session.SignInTime = secondsSinceMidnight(clock.now());
    state.session.GradeGroupFilter = QStringLiteral("全学年");
    DefineLevelTables(state.program);
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
    append(testRecord(pupil, level, seconds)
               .date(dayCount(clock.now().date()) - daysAgo)
               .timeOfDay(dayFraction(QTime(9, 0)))
               .schoolCode(QStringLiteral("00123")));
}

void ScreenHarness::append(const ResultsRecord& record) {
    RecordingWaiter appendWaiter;
    ResultsFile file(install.resultsPath(), appendWaiter);
    const Status appended = file.append(record);
    if (!appended)
        ADD_FAILURE() << appended.error().message.toStdString();
}

QString playCommandOf(const ScreenHarness& harness, const QString& baseName) {
    return playCommand(harness.state.installation.SoundDir, baseName);
}

} // namespace zanfolio::testing
