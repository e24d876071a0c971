#pragma once
// The wave files of the PulseAudio device: libsndfile reads and decodes the whole file, in any
// format it reads, to 16-bit samples, and refuses a format PulseAudio cannot take or a sound far
// too long for feedback.

#include "sound/sounddevice.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <string>
#include <vector>

namespace zanfolio {

struct SampleFormat {
    int rate = 0;
    int channels = 0;
    friend bool operator==(const SampleFormat&, const SampleFormat&) = default;
};

struct Wave {
    SampleFormat format;
    std::vector<int16_t> samples; // interleaved
    qint64 durationMs() const {
        const qint64 frames = qint64(samples.size()) / format.channels;
        return frames * 1000 / format.rate;
    }
};

// Reads and decodes the whole file at `path` (native, in the file system's encoding) into
// `wave`; `shown` names the file in the messages. The failures carry PulseSoundDevice's codes.
// Runs on the device's worker: a network folder may stall.
PlayResult loadWave(const std::string& path, const QString& shown, Wave& wave);

} // namespace zanfolio
