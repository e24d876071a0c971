#include "sound/playback/pulsestreams.h"

#include "sound/playback/pulsesounddevice.h"

#include <algorithm>
#include <cstdint>
#include <pulse/error.h>

namespace zanfolio {

namespace {

constexpr int kMaxOpenStreams = 3;
constexpr int kStreamLatencyMs = 50; // target buffer of a stream
constexpr int kPrimeRate = 44100;    // the format the first stream is opened in
constexpr int kPrimeChannels = 1;

PlayResult failure(PulseSoundDevice::Code code, const QString& text) {
    return {int(code), text};
}

QString paText(int error) {
    return QString::fromUtf8(pa_strerror(error));
}

} // namespace

bool StreamCache::has(const SampleFormat& format) const {
    return std::any_of(streams_.begin(), streams_.end(),
                       [&](const Stream& s) { return s.format == format; });
}

bool StreamCache::isWarm(const SampleFormat& format) const {
    return std::any_of(streams_.begin(), streams_.end(),
                       [&](const Stream& s) { return s.format == format && s.warm; });
}

void StreamCache::prime() {
    const std::vector<int16_t> silence(size_t(kPrimeRate / 100 * kPrimeChannels));
    Wave wave{{kPrimeRate, kPrimeChannels}, silence};
    (void)playOnce(wave);
}

PlayResult StreamCache::play(const Wave& wave) {
    if (wave.samples.empty())
        return {};
    const bool wasOpen = has(wave.format);
    PlayResult result = playOnce(wave);
    // A stream that was open before may have outlived its server (restarted between two
    // sounds): every stream is gone then, and one fresh try tells.
    if (!result.ok() && wasOpen) {
        closeAll();
        result = playOnce(wave);
    }
    return result;
}

void StreamCache::closeAll() {
    for (Stream& s : streams_)
        pa_simple_free(s.handle);
    streams_.clear();
}

pa_simple* StreamCache::open(const SampleFormat& format, int* error) {
    pa_sample_spec sampleFormat{};
    sampleFormat.format = PA_SAMPLE_S16NE;
    sampleFormat.rate = uint32_t(format.rate);
    sampleFormat.channels = uint8_t(format.channels);
    // A short target buffer: the sound starts at once and the drain ends soon after it.
    pa_buffer_attr attr{};
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(pa_usec_t(kStreamLatencyMs) * 1000, &sampleFormat));
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);
    return pa_simple_new(nullptr, "Zanfolio", PA_STREAM_PLAYBACK, nullptr, "効果音", &sampleFormat,
                         nullptr, &attr, error);
}

PlayResult StreamCache::playOnce(const Wave& wave) {
    auto it = std::find_if(streams_.begin(), streams_.end(),
                           [&](const Stream& s) { return s.format == wave.format; });
    Stream stream;
    if (it != streams_.end()) {
        stream = *it;
        streams_.erase(it);
    } else {
        int error = 0;
        stream = {wave.format, open(wave.format, &error), false};
        if (!stream.handle)
            return failure(PulseSoundDevice::NoServer,
                           QStringLiteral("音声出力に接続できません。（%1）").arg(paText(error)));
        if (int(streams_.size()) >= kMaxOpenStreams) {
            pa_simple_free(streams_.front().handle);
            streams_.erase(streams_.begin());
        }
    }
    int error = 0;
    if (pa_simple_write(stream.handle, wave.samples.data(), wave.samples.size() * sizeof(int16_t),
                        &error) < 0 ||
        pa_simple_drain(stream.handle, &error) < 0) {
        pa_simple_free(stream.handle);
        return failure(PulseSoundDevice::PlaybackFailed,
                       QStringLiteral("音声を再生できません。（%1）").arg(paText(error)));
    }
    stream.warm = true;
    streams_.push_back(stream);
    return {};
}

} // namespace zanfolio
