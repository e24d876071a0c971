#pragma once
// The playback port. A device takes the media control command string the installations have
// always used, "play " & SoundDir & name & ".wav wait", plays the wave file to its end and only
// then returns (the "wait" flag), with the result code and the platform's text for it.
//
// Devices: the media control interface on Windows (MciSoundDevice), libsndfile with the
// PulseAudio simple API elsewhere (PulseSoundDevice); tests use a recording fake.

#include <QString>

namespace zanfolio {

struct PlayResult {
    int code = 0;      // 0: the sound played to its end; any other value: it did not
    QString errorText; // the platform's description of `code` (mciGetErrorString on Windows)

    bool ok() const { return code == 0; }
};

class SoundDevice {
  public:
    virtual ~SoundDevice() = default;
    // Plays the file the command names and returns when it has ended. Never throws; every
    // failure (bad command, missing or unreadable file, no audio output) is a non-zero code.
    virtual PlayResult play(const QString& command) = 0;
};

} // namespace zanfolio
