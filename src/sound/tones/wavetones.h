#pragma once
// Short synthetic sounds as wave files (RIFF, 16-bit PCM, mono), for the demonstration
// installation and the tests: a sound is a sequence of tone segments, each a sine (or a buzz
// of odd harmonics) whose frequency glides linearly from its start to its end, with a few
// milliseconds of fade at both ends so that no segment clicks.

#include <QByteArray>
#include <QString>
#include <vector>

namespace zanfolio {

struct ToneSegment {
    enum class Wave {
        Sine,
        Buzz,   // odd harmonics 1, 3, 5, 7 at 1/n: a hollow, harsh tone
        Bright, // harmonics 1 to 4 at 1/n: a brass-like tone
        Rest,   // silence
    };
    double startHz = 440;
    double endHz = 440;
    double seconds = 0.1;
    double level = 0.5; // peak amplitude, 0..1 of full scale
    Wave wave = Wave::Sine;
};

inline constexpr int kToneSampleRate = 44100;

// The 16-bit samples of the segments one after the other.
std::vector<short> renderTones(const std::vector<ToneSegment>& segments,
                               int sampleRate = kToneSampleRate);

// A complete wave file: the 44-byte RIFF header and the samples (little-endian).
QByteArray waveFile(const std::vector<short>& samples, int sampleRate = kToneSampleRate);

} // namespace zanfolio
