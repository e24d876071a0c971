#pragma once
// The program's window over fakes for screen tests: a test installation with the standard
// files, a fake clock at 10:00 of 9 December 2026 (school year 2026, from April), fakes of
// random draws, message boxes, launcher, waiter and sound device, and the AppContext over them.
// Two populations:
//
//  - a signed-in pupil (ScreenHarness()): a sound list, the configuration and sound table
//    loaded, the level tables defined and pupil 12 signed in. The Navigator starts empty: each
//    test wires the ways it follows, so that a test of one screen needs no other screen's
//    library.
//  - a classroom (ScreenHarness(Classroom{})): five pupils with a handful of runs, the
//    configuration loaded, nobody signed in yet (signIn() does what the roster form does), and
//    a Navigator that counts where the forms go (`went`).
//
// Screens are driven as the pupil drives them: keys and clicks through QTest, timers through
// the form's test peer (or a short QTest::qWait), the fake clock moved by hand.

#include "app/screenparts.h"
#include "app/sharedstate.h"
#include "frame/forms/appcontext.h"
#include "frame/forms/screenhost.h"
#include "results/resultsrecord.h"
#include "sound/sounds.h"
#include "support/fakes.h"
#include "support/recordingsound.h"
#include "support/testfolder.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace zanfolio::testing {

// The QApplication of widget tests, made once per process with the program's Japanese fonts.
// It is never destroyed (the process ends with it).
void ensureApplication();

// The sound device the harness plays through: records into `recording` and, before each
// play, calls `onPlay` with the command (a test may tick a timer there, as a sound that
// blocks the program lets time pass).
class HookedSoundDevice final : public SoundDevice {
  public:
    PlayResult play(const QString& command) override {
        if (onPlay)
            onPlay(command);
        return recording.play(command);
    }
    RecordingSoundDevice recording;
    std::function<void(const QString&)> onPlay;
};

// The classroom: five pupils (two in 小３, one in 小６, one in 中２ and the teacher entry
// "山田先生") under `criteria` (by default the standard ones: 40 s, 30 points and 5 runs within
// 7 days), and four runs. The wrong-answer sound is set, so that playing it reaches the device.
struct Classroom {
    static constexpr int kSato = 1;      // 小３, two runs today (levels 1 and 2)
    static constexpr int kSuzuki = 2;    // 小３, one run yesterday on level 1
    static constexpr int kTakahashi = 3; // 小６, one timed-out run today on level 1
    static constexpr int kTanaka = 4;    // 中２, no runs
    static constexpr int kTeacher = 9;   // 山田先生

    QStringList criteria = TestInstallation::standardCriteriaLines();
};

// How often the classroom's forms went each way.
struct Navigation {
    int rosterForm = 0;
    int resultsMenu = 0;
    int runs = 0;
    int recordsBrowser = 0;
    int criteriaEditor = 0;
};

class ScreenHarness {
  public:
    // The pupil signed in: roster index 12, "山田　花子" in a 20-character field, signed in at
    // 9:55 with the clock at 10:00 of 9 December 2026.
    static constexpr int kPupil = 12;

    ScreenHarness();
    explicit ScreenHarness(const Classroom& classroom);
    ~ScreenHarness();
    ScreenHarness(const ScreenHarness&) = delete;
    ScreenHarness& operator=(const ScreenHarness&) = delete;

    // Runs the posted events: activations of screens just put up, deferred deletes.
    void processEvents();
    // Processes events for about `ms` milliseconds of real time (timers due meanwhile tick).
    void pump(int ms = 20);

    template <class T> T* currentAs() const { return qobject_cast<T*>(host.current()); }
    // Puts `screen` up and lets its activation run.
    template <class S> S* show(S* screen) {
        host.replace(screen);
        processEvents();
        return screen;
    }
    // Saves the window as a screenshot <name>.png when screenshots are on
    // (support/screenshots.h).
    void snapshot(const QString& name);

    // What the roster form leaves behind for `pupil` of the classroom: the roster tables, the
    // pupil members, the level list and the grade group "全学年".
    void signIn(int pupil);

    // The records of the results file, in file order (none when the file is missing).
    std::vector<ResultsRecord> records();
    // Appends a record for `pupil` on `level` with `seconds`, dated `daysAgo` days before today.
    void appendRecord(int level, int seconds, int daysAgo = 0, int pupil = kPupil);

    TestInstallation install;

  private:
    void append(const ResultsRecord& record);

    // Made first: every widget needs the application.
    std::unique_ptr<SharedState> state_ = (ensureApplication(), std::make_unique<SharedState>());

  public:
    SharedState& state = *state_;
    FakeClock clock;
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    RecordingWaiter waiter;
    HookedSoundDevice device;
    RecordingSoundDevice& sound = device.recording;
    Sounds sounds{state.sound, state.installation, device, random};
    SharedFolderStore store{state.installation};
    ScreenHost host;
    Navigation went; // counted by the classroom's Navigator only
    AppContext context{clock, random, dialogs, launcher, waiter, host, Navigator{}};

    // Each screen's parts of `state`.
    StartUpParts startUpParts() { return zanfolio::startUpParts(state); }
    RosterFormParts rosterParts() { return rosterFormParts(state, sounds, store); }
    MenuParts menuParts() { return zanfolio::menuParts(state, store); }
    DrillParts drillParts() { return zanfolio::drillParts(state, sounds, store); }
    DrillParts drillParts(ResultsStore& other) {
        return zanfolio::drillParts(state, sounds, other);
    }
    EvaluationParts evaluationParts() { return zanfolio::evaluationParts(state, sounds, store); }
    TeacherParts teacherParts() { return zanfolio::teacherParts(state, store); }
};

// The sound files of the harness's sound list (one alternative per role) and the fixed ones:
// what the recorded play commands name.
QString playCommandOf(const ScreenHarness& harness, const QString& baseName);
inline const QString kCorrectSoundFile = QStringLiteral("ピンポン");
inline const QString kWrongSoundFile = QStringLiteral("ブー");
inline const QString kPersonalBestSoundFile = QStringLiteral("ファンファーレ");
inline const QString kFailSoundFile = QStringLiteral("ざんねん");

} // namespace zanfolio::testing
