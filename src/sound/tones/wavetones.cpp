#include "sound/tones/wavetones.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace zanfolio {

namespace {

constexpr double kFadeSeconds = 0.005;

double waveValue(ToneSegment::Wave wave, double phase) {
    switch (wave) {
    case ToneSegment::Wave::Sine:
        return std::sin(phase);
    case ToneSegment::Wave::Buzz:
        return (std::sin(phase) + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5 +
                std::sin(7 * phase) / 7) /
               1.3;
    case ToneSegment::Wave::Bright:
        return (std::sin(phase) + std::sin(2 * phase) / 2 + std::sin(3 * phase) / 3 +
                std::sin(4 * phase) / 4) /
               1.6;
    case ToneSegment::Wave::Rest:
        return 0;
    }
    return 0;
}

void appendLe16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void appendLe32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

std::vector<short> renderTones(const std::vector<ToneSegment>& segments, int sampleRate) {
    std::vector<short> samples;
    for (const ToneSegment& seg : segments) {
        const int n = std::max(0, int(std::lround(seg.seconds * sampleRate)));
        const int fade = std::min(n / 2, int(kFadeSeconds * sampleRate));
        double phase = 0;
        for (int i = 0; i < n; ++i) {
            // The frequency glides linearly; the phase adds it up sample by sample.
            const double hz = seg.startHz + (seg.endHz - seg.startHz) * i / std::max(1, n - 1);
            const double edge = std::min(i, n - 1 - i);
            const double envelope = fade > 0 && edge < fade ? edge / fade : 1.0;
            const double v = seg.level * envelope * waveValue(seg.wave, phase);
            samples.push_back(short(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
            phase += 2 * std::numbers::pi * hz / sampleRate;
        }
    }
    return samples;
}

QByteArray waveFile(const std::vector<short>& samples, int sampleRate) {
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF", 4);
    appendLe32(out, 36 + dataBytes);
    out.append("WAVEfmt ", 8);
    appendLe32(out, 16);                      // format chunk size
    appendLe16(out, 1);                       // PCM
    appendLe16(out, 1);                       // mono
    appendLe32(out, quint32(sampleRate));     // frames per second
    appendLe32(out, quint32(sampleRate) * 2); // bytes per second
    appendLe16(out, 2);                       // bytes per frame
    appendLe16(out, 16);                      // bits per sample
    out.append("data", 4);
    appendLe32(out, dataBytes);
    for (short s : samples)
        appendLe16(out, quint16(s));
    return out;
}

} // namespace zanfolio
