#include "sound/playback/wavefile.h"

#include "sound/playback/pulsesounddevice.h"

#include <cerrno>
#include <cstring>
#include <pulse/sample.h>
#include <sndfile.h>
#include <sys/stat.h>

namespace zanfolio {

namespace {

constexpr int kMaxSoundSeconds = 600; // longer is no feedback sound: refused, not loaded

PlayResult failure(PulseSoundDevice::Code code, const QString& text) {
    return {int(code), text};
}

} // namespace

PlayResult loadWave(const std::string& path, const QString& shown, Wave& wave) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return failure(PulseSoundDevice::FileNotFound,
                           QStringLiteral("音声ファイルが見つかりません。（%1）").arg(shown));
        return failure(PulseSoundDevice::FileUnreadable,
                       QStringLiteral("音声ファイルを読めません。（%1: %2）")
                           .arg(shown, QString::fromLocal8Bit(std::strerror(errno))));
    }
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return failure(PulseSoundDevice::FileUnreadable,
                       QStringLiteral("音声ファイルを読めません。（%1: %2）")
                           .arg(shown, QString::fromUtf8(sf_strerror(nullptr))));
    const auto close = [&] { sf_close(file); };
    if (info.channels < 1 || info.channels > int(PA_CHANNELS_MAX) || info.samplerate < 1 ||
        unsigned(info.samplerate) > PA_RATE_MAX ||
        info.frames > sf_count_t(info.samplerate) * kMaxSoundSeconds) {
        close();
        return failure(
            PulseSoundDevice::UnsupportedFormat,
            QStringLiteral("この形式の音声ファイルは再生できません。（%1: %2 Hz, %3 ch）")
                .arg(shown)
                .arg(info.samplerate)
                .arg(info.channels));
    }
    wave.format = {info.samplerate, info.channels};
    wave.samples.resize(size_t(info.frames) * size_t(info.channels));
    const sf_count_t frames = sf_readf_short(file, wave.samples.data(), info.frames);
    const int decodeError = sf_error(file);
    close();
    if (frames < 0 || (frames == 0 && info.frames > 0 && decodeError != SF_ERR_NO_ERROR))
        return failure(PulseSoundDevice::FileUnreadable,
                       QStringLiteral("音声ファイルを読めません。（%1: %2）")
                           .arg(shown, QString::fromUtf8(sf_error_number(decodeError))));
    wave.samples.resize(size_t(frames) * size_t(info.channels));
    return {};
}

} // namespace zanfolio
