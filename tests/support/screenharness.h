#pragma once
// A signed-in program for screen tests: a test installation with the standard files and a
// sound list, the configuration loaded, the level tables defined, a pupil signed in, and the
// program's window over fakes (clock, random draws, message boxes, launcher, waiter, sound
// device). The Navigator starts empty: each test wires the ways it follows, so that a test of
// one screen needs no other screen's library.
//
// Screens are driven as the pupil drives them: keys and clicks through QTest, timers by
// calling their handlers (or a short QTest::qWait), the fake clock moved by hand.

#include "frame/forms/appcontext.h"
#include "frame/forms/screenhost.h"
#include "frame/sharedstate.h"
#include "results/resultsrecord.h"
#include "sound/sounds.h"
#include "support/fakes.h"
#include "support/recordingsound.h"
#include "support/testfolder.h"

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

class ScreenHarness {
  public:
    // The pupil signed in: roster index 12, "山田　花子" in a 20-character field, signed in at
    // 9:55 with the clock at 10:00 of 9 December 2026.
    static constexpr int kPupil = 12;

    ScreenHarness();
    ~ScreenHarness();
    ScreenHarness(const ScreenHarness&) = delete;
    ScreenHarness& operator=(const ScreenHarness&) = delete;

    // Runs the posted events: activations of screens just put up, deferred deletes.
    void processEvents();
    // Processes events for about `ms` milliseconds of real time (timers due meanwhile tick).
    void pump(int ms = 20);

    template <class T> T* currentAs() const { return qobject_cast<T*>(host.current()); }

    // The records of the results file, in file order (none when the file is missing).
    std::vector<ResultsRecord> records();
    // Appends a record for `pupil` on `level` with `seconds`, dated `daysAgo` days before today.
    void appendRecord(int level, int seconds, int daysAgo = 0, int pupil = kPupil);

    TestInstallation install;

  private:
    std::unique_ptr<SharedState> state_;

  public:
    SharedState& state;
    FakeClock clock;
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    RecordingWaiter waiter;
    HookedSoundDevice device;
    RecordingSoundDevice& sound; // device.recording
    Sounds sounds;
    ScreenHost host;
    AppContext context;
};

// The sound files of the harness's sound list (one alternative per role) and the fixed ones:
// what the recorded play commands name.
QString playCommandOf(const ScreenHarness& harness, const QString& baseName);
inline const QString kCorrectSoundFile = QStringLiteral("ピンポン");
inline const QString kWrongSoundFile = QStringLiteral("ブー");
inline const QString kPersonalBestSoundFile = QStringLiteral("ファンファーレ");
inline const QString kFailSoundFile = QStringLiteral("ざんねん");

} // namespace zanfolio::testing
