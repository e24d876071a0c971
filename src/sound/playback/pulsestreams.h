#pragma once
// The PulseAudio device's streams, one per sample format (a few at most), most recently used
// last. Touched by the device's worker thread only.

#include "sound/playback/wavefile.h"
#include "sound/sounddevice.h"

#include <pulse/simple.h>
#include <vector>

namespace zanfolio {

class StreamCache {
  public:
    StreamCache() = default;
    StreamCache(const StreamCache&) = delete;
    StreamCache& operator=(const StreamCache&) = delete;
    ~StreamCache() { closeAll(); }

    bool has(const SampleFormat& format) const;

    // Whether a sound in this format starts at once: its stream has played to the end before.
    // A stream's first sound can wait until the server's output is running (up to two
    // seconds on an idle or headless server).
    bool isWarm(const SampleFormat& format) const;

    // Opens the first stream and plays a moment of silence on it, so the first sound of the
    // program does not pay for setting up the output. No server: nothing happens, play()
    // reports it.
    void prime();

    // Plays the whole wave and returns once the server has played its last sample. The
    // failures carry PulseSoundDevice's codes.
    PlayResult play(const Wave& wave);

    void closeAll();

  private:
    struct Stream {
        SampleFormat format;
        pa_simple* handle = nullptr;
        bool warm = false; // has drained once: the server's output runs for it
    };

    static pa_simple* open(const SampleFormat& format, int* error);
    PlayResult playOnce(const Wave& wave);

    std::vector<Stream> streams_;
};

} // namespace zanfolio
