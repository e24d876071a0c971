#pragma once
// Fakes of the ports that tests share.

#include "frame/clock.h"
#include "frame/waiter.h"
#include "frame/writefaults.h"
#include "support/qtprinters.h"

#include <functional>
#include <vector>

namespace zanfolio::testing {

// A clock that stands still until a test moves it.
class FakeClock final : public Clock {
  public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2026, 12, 9), QTime(10, 0)))
        : now_(std::move(now)) {}
    QDateTime now() const override { return now_; }
    qint64 monotonicMs() const override { return ms_; }
    void set(const QDateTime& now) { now_ = now; }
    void advanceMs(qint64 ms) {
        ms_ += ms;
        now_ = now_.addMSecs(ms);
    }

  private:
    QDateTime now_;
    qint64 ms_ = 0;
};

// Records every wait instead of sleeping; `onWait` may change the world between tries, and
// `giveUpAfter` makes the waiter refuse further waits (0: never).
class RecordingWaiter final : public Waiter {
  public:
    bool wait(int ms) override {
        waits.push_back(ms);
        if (onWait)
            onWait(int(waits.size()));
        return giveUpAfter == 0 || int(waits.size()) < giveUpAfter;
    }
    std::vector<int> waits;
    std::function<void(int)> onWait;
    int giveUpAfter = 0;
};

} // namespace zanfolio::testing

#include "frame/random.h"

#include <deque>

namespace zanfolio::testing {

// Hands out the scripted draws in order; when they run out it repeats `fallback`.
class ScriptedRandom final : public RandomSource {
  public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> draws) : draws_(draws) {}
    void push(float r) { draws_.push_back(r); }
    float next() override {
        ++taken;
        if (draws_.empty())
            return fallback;
        const float r = draws_.front();
        draws_.pop_front();
        return r;
    }
    float fallback = 0.0f;
    int taken = 0;

  private:
    std::deque<float> draws_;
};

} // namespace zanfolio::testing

#include "frame/dialogs.h"
#include "frame/launcher.h"

#include <QString>
#include <QStringList>

namespace zanfolio::testing {

// Answers message boxes from a script (then `fallback`) and records what was shown.
class ScriptedDialogs final : public Dialogs {
  public:
    struct Shown {
        QString title;
        QString text;
        Buttons buttons;
    };
    Answer show(const QString& title, const QString& text, Buttons buttons, Icon) override {
        shown.push_back({title, text, buttons});
        if (onShow)
            onShow(shown.back());
        if (answers.empty())
            return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<Shown> shown;
    std::deque<Answer> answers;
    std::function<void(const Shown&)> onShow;
};

// Records the programs started; `fails` makes every start fail.
class RecordingLauncher final : public ProcessLauncher {
  public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       QString* error) override {
        started.push_back({program, arguments});
        if (fails && error)
            *error = QStringLiteral("起動できません");
        return !fails;
    }
    std::vector<std::pair<QString, QStringList>> started;
    bool fails = false;
};

// Plays a disk that fills up (or a share that fails): each write from the `fail`-th on stops
// after `written` bytes; `fail` 0 lets every write through.
class FillingDisk final : public WriteFaults {
  public:
    explicit FillingDisk(qint64 writtenBeforeFailing = 20) : written(writtenBeforeFailing) {}
    std::optional<Fault> beforeWrite(const QString& path, qint64, qint64) override {
        ++writes;
        if (fail == 0 || writes < fail)
            return std::nullopt;
        // As the platform layer says it (ENOSPC).
        return Fault{Error{path,
                           QStringLiteral("「%1」に書き込めません（%2）。")
                               .arg(path, fileFaultText(FileFault::DiskFull)),
                           false, ErrorKind::Other, 28},
                     written};
    }
    int writes = 0;
    int fail = 0;
    qint64 written;
};

// Cuts the power around the `at`-th write to `path` (from 1): after it went through (`after`),
// or just before it (nothing of it written). Nothing after that moment happens: the fake
// throws PowerCut, which the test catches where the program would have stopped; the open files
// and locks are let go on the way, as they are when a computer goes down.
class PowerCut final : public WriteFaults {
  public:
    struct Cut {};
    PowerCut(QString path, bool after, int at = 1)
        : path_(std::move(path)), after_(after), at_(at) {}
    std::optional<Fault> beforeWrite(const QString& path, qint64, qint64) override {
        if (path == path_ && !after_ && ++writes_ == at_)
            throw Cut{};
        return std::nullopt;
    }
    void afterWrite(const QString& path, qint64, qint64) override {
        if (path == path_ && after_ && ++writes_ == at_)
            throw Cut{};
    }

  private:
    QString path_;
    bool after_;
    int at_;
    int writes_ = 0;
};

} // namespace zanfolio::testing
