#pragma once
// A small classroom for the form tests: a TestInstallation with five pupils (two in 小３, one
// in 小６, one in 中２ and the teacher entry "山田先生"), the standard criteria (40 s, 30 points
// and 5 runs within 7 days), a handful of runs, the configuration loaded, and an AppContext
// over fakes whose navigator records where the forms go. Today is 9 December 2026,
// 10:00; the school year (from April) is 2026.

#include "frame/daycount.h"
#include "frame/forms/appcontext.h"
#include "frame/forms/screenhost.h"
#include "frame/programdefinition.h"
#include "frame/sharedstate.h"
#include "results/resultsfile.h"
#include "results/statistics.h"
#include "roster/namelist.h"
#include "sound/sounds.h"
#include "startup/configuration.h"
#include "support/fakes.h"
#include "support/recordingsound.h"
#include "support/testfolder.h"

#include <QCoreApplication>
#include <QTest>
#include <memory>

namespace zanfolio::testing {

inline QString rosterLine(int pupil, int birthYear, const QString& name) {
    return QStringLiteral("%1,%2,0,0,\"%3\",0,\"\",\"\"").arg(pupil).arg(birthYear).arg(name);
}

struct Navigation {
    int rosterForm = 0;
    int resultsMenu = 0;
    int runs = 0;
    int recordsBrowser = 0;
    int criteriaEditor = 0;
};

class FormFixture {
  public:
    static constexpr int kSato = 1;      // 小３, two runs today (levels 1 and 2)
    static constexpr int kSuzuki = 2;    // 小３, one run yesterday on level 1
    static constexpr int kTakahashi = 3; // 小６, one timed-out run today on level 1
    static constexpr int kTanaka = 4;    // 中２, no runs
    static constexpr int kTeacher = 9;   // 山田先生

    explicit FormFixture(const QStringList& criteria = TestInstallation::standardCriteriaLines()) {
        inst.writeStandardFiles();
        inst.writeCriteria(criteria);
        inst.writeLines(inst.rosterPath(),
                        {rosterLine(kSato, 2017, QStringLiteral("佐藤")),
                         rosterLine(kSuzuki, 2017, QStringLiteral("鈴木")),
                         rosterLine(kTakahashi, 2014, QStringLiteral("高橋")),
                         rosterLine(kTanaka, 2012, QStringLiteral("田中")),
                         rosterLine(kTeacher, 1980, QStringLiteral("山田先生"))});
        const QDate today = clock.now().date();
        addRun(today, QTime(9, 0), kSato, 1, 30);                // 5 points
        addRun(today, QTime(9, 10), kSato, 2, 60);               // 4 points
        addRun(today.addDays(-1), QTime(15, 0), kSuzuki, 1, 35); // 5 points
        addRun(today, QTime(9, 20), kTakahashi, 1, kNoTime);
        const Status loaded = LoadConfiguration(*state, inst.programDir(), clock);
        if (!loaded)
            qFatal("configuration: %s", qPrintable(loaded.error().message));
        // The wrong-answer sound, so that playing it reaches the recording device.
        state->SoundTable[4][1] = QStringLiteral("不正解");
        state->SoundTable[4][21] = QStringLiteral("1");
        context.navigate.showRosterForm = [this] { ++went.rosterForm; };
        context.navigate.showResultsMenu = [this] { ++went.resultsMenu; };
        context.navigate.startRun = [this] { ++went.runs; };
        context.navigate.showRecordsBrowser = [this] { ++went.recordsBrowser; };
        host.show();
    }

    void addRun(const QDate& date, const QTime& time, int pupil, int level, int seconds) {
        ResultsRecord r;
        r.date = dayCount(date);
        r.timeOfDay = dayFraction(time);
        r.pupil = int16_t(pupil);
        r.level = int16_t(level);
        r.time = seconds;
        ResultsFile file(inst.resultsPath(), waiter);
        if (!file.append(r))
            qFatal("cannot append a run");
    }

    // What the roster form leaves behind for `pupil`: the roster tables, the pupil members,
    // the level list and the grade group.
    void signIn(int pupil) {
        SharedState& s = *state;
        const StatisticsPass statistics = [this]() -> Status {
            ResultsFile file(inst.resultsPath(), waiter);
            return ComputePupilStatistics(*state, file, clock);
        };
        if (!zanfolio::名簿表示(s, NameListRequest{}, clock, waiter, statistics))
            qFatal("roster");
        s.CurrentStudent = pupil;
        s.StudentName = s.RosterNames[size_t(pupil)];
        s.StudentGrade = s.RosterGradeLabels[size_t(pupil)];
        s.SignInTime = secondsSinceMidnight(clock.now());
        s.GradeGroupFilter = QStringLiteral("全学年");
        DefineLevelTables(s);
    }

    // Puts `screen` up and lets its activation run.
    template <class S> S* show(S* screen) {
        host.replace(screen);
        settle();
        return screen;
    }
    // With ZANFOLIO_SCREENSHOT_DIR set, saves the window as <dir>/<name>.png (to look at the
    // screens without a display).
    void snapshot(const QString& name) {
        const QString dir = qEnvironmentVariable("ZANFOLIO_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            host.grab().save(dir + u'/' + name + QStringLiteral(".png"));
    }
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    TestInstallation inst;
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(10, 0))};
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    RecordingSoundDevice device;
    Sounds sounds{*state, device, random};
    RecordingLauncher launcher;
    RecordingWaiter waiter;
    ScreenHost host;
    Navigation went;
    AppContext context{*state, clock, random, dialogs, sounds, launcher, waiter, host, {}};
};

} // namespace zanfolio::testing
