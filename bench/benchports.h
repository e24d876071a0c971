#pragma once
// What the benchmarks of the screens hand them in place of the computer's own: silence, a
// message box that answers O.K., a launcher that starts nothing, a fixed draw; and the settings
// files written as the installations write them.

#include "frame/cp932.h"
#include "frame/dialogs.h"
#include "frame/launcher.h"
#include "frame/platformfile.h"
#include "frame/random.h"
#include "sound/sounddevice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zanfolio::bench {

class SilentDevice final : public SoundDevice {
  public:
    PlayResult play(const QString&) override { return {}; }
};
class OkDialogs final : public Dialogs {
  public:
    Answer show(const QString&, const QString&, Buttons, Icon) override { return Answer::Ok; }
};
class NoLauncher final : public ProcessLauncher {
  public:
    bool startDetached(const QString&, const QStringList&, QString*) override { return true; }
};
class FixedRandom final : public RandomSource {
  public:
    float next() override { return 0.5f; }
};

// `lines` in code page 932 with CR LF, replacing the file.
inline void writeLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += encodeCp932(line) + "\r\n";
    if (!replaceFileAtomically(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace zanfolio::bench
