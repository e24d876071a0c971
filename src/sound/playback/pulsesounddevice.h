#pragma once
// Playback through a PulseAudio server (PipeWire's pulse server works the same): libsndfile
// decodes the wave file, in any format it reads, to 16-bit samples; the PulseAudio simple API
// plays them, and play() returns once the server has played the last sample.
//
// Never a hang: the blocking calls (connecting, writing, draining) run on a worker thread, and
// play() waits at most for the loading time, then the sound's duration plus a margin (more
// while no stream of the sound's format has played yet). On a time-out play() fails with
// NotResponding and leaves that worker behind: the worker owns everything it touches (shared with
// play() only through reference-counted state), finishes on its own if the server ever answers, and
// the next play starts a fresh worker. A suspended sink can block a drain for ever; after a few
// such workers play() fails at once instead of starting more.
//
// Streams stay open for the device's lifetime, one per sample format (a few at most), and the
// first one plays a moment of silence as soon as the device is made: a stream's first sound
// waits up to two seconds on an idle or headless server until the output runs, and an open
// stream keeps the output awake between sounds. A stream that fails is closed and opened
// again (at once, one more try, when the server may have restarted between two sounds).

#include "sound/sounddevice.h"

#include <atomic>
#include <memory>

namespace zanfolio {

class PulseSoundDevice final : public SoundDevice {
  public:
    // Result codes (0 is success).
    enum Code {
        BadCommand = 1,    // not "play <file> wait"
        FileNotFound,      // no such wave file
        FileUnreadable,    // libsndfile cannot open or decode it
        UnsupportedFormat, // sample rate or channels PulseAudio cannot take, or far too long
        NoServer,          // no PulseAudio server reachable
        PlaybackFailed,    // the server refused or dropped the stream
        NotResponding,     // the watchdog gave up waiting
    };

    struct Timing {
        int loadMs = 5000;       // to read the file (a network folder may be slow)
        int marginMs = 2000;     // beyond the sound's duration
        int coldStreamMs = 3000; // more when no stream of its format has played yet
    };

    PulseSoundDevice();
    explicit PulseSoundDevice(Timing timing);
    ~PulseSoundDevice() override;
    PulseSoundDevice(const PulseSoundDevice&) = delete;
    PulseSoundDevice& operator=(const PulseSoundDevice&) = delete;

    PlayResult play(const QString& command) override;

    // Workers left behind by time-outs that have not finished yet.
    int abandonedWorkers() const { return abandoned_->load(); }

  private:
    struct Worker;
    void startWorker();
    void abandonWorker();

    Timing timing_;
    std::unique_ptr<Worker> worker_;
    std::shared_ptr<std::atomic<int>> abandoned_;
};

} // namespace zanfolio
