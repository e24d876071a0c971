#include "sound/playback/pulsesounddevice.h"

#include "frame/platformfile.h"
#include "sound/soundcommand.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <sndfile.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace zanfolio {

namespace {

constexpr int kMaxAbandonedWorkers = 2;
constexpr int kMaxOpenStreams = 3;
constexpr int kStreamLatencyMs = 50;  // target buffer of a stream
constexpr int kMaxSoundSeconds = 600; // longer is no feedback sound: refused, not loaded
constexpr int kPrimeRate = 44100;     // the format the first stream is opened in
constexpr int kPrimeChannels = 1;

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

PlayResult failure(PulseSoundDevice::Code code, const QString& text) {
    return {int(code), text};
}

QString paText(int error) {
    return QString::fromUtf8(pa_strerror(error));
}

// Reads and decodes the whole file (on the worker: a network folder may stall).
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

// The worker's streams, most recently used last. Touched by the worker thread only.
class StreamCache {
  public:
    StreamCache() = default;
    StreamCache(const StreamCache&) = delete;
    StreamCache& operator=(const StreamCache&) = delete;
    ~StreamCache() { closeAll(); }

    bool has(const SampleFormat& format) const {
        return std::any_of(streams_.begin(), streams_.end(),
                           [&](const Stream& s) { return s.format == format; });
    }

    // Whether a sound in this format starts at once: its stream has played to the end before.
    // A stream's first sound can wait until the server's output is running (up to two
    // seconds on an idle or headless server).
    bool isWarm(const SampleFormat& format) const {
        return std::any_of(streams_.begin(), streams_.end(),
                           [&](const Stream& s) { return s.format == format && s.warm; });
    }

    // Opens the first stream and plays a moment of silence on it, so the first sound of the
    // program does not pay for setting up the output. No server: nothing happens, play()
    // reports it.
    void prime() {
        const std::vector<int16_t> silence(size_t(kPrimeRate / 100 * kPrimeChannels));
        Wave wave{{kPrimeRate, kPrimeChannels}, silence};
        (void)playOnce(wave);
    }

    PlayResult play(const Wave& wave) {
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

    void closeAll() {
        for (Stream& s : streams_)
            pa_simple_free(s.handle);
        streams_.clear();
    }

  private:
    struct Stream {
        SampleFormat format;
        pa_simple* handle = nullptr;
        bool warm = false; // has drained once: the server's output runs for it
    };

    static pa_simple* open(const SampleFormat& format, int* error) {
        pa_sample_spec sampleFormat{};
        sampleFormat.format = PA_SAMPLE_S16NE;
        sampleFormat.rate = uint32_t(format.rate);
        sampleFormat.channels = uint8_t(format.channels);
        // A short target buffer: the sound starts at once and the drain ends soon after it.
        pa_buffer_attr attr{};
        attr.maxlength = uint32_t(-1);
        attr.tlength =
            uint32_t(pa_usec_to_bytes(pa_usec_t(kStreamLatencyMs) * 1000, &sampleFormat));
        attr.prebuf = uint32_t(-1);
        attr.minreq = uint32_t(-1);
        attr.fragsize = uint32_t(-1);
        return pa_simple_new(nullptr, "Zanfolio", PA_STREAM_PLAYBACK, nullptr, "効果音",
                             &sampleFormat, nullptr, &attr, error);
    }

    PlayResult playOnce(const Wave& wave) {
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
                return failure(
                    PulseSoundDevice::NoServer,
                    QStringLiteral("音声出力に接続できません。（%1）").arg(paText(error)));
            if (int(streams_.size()) >= kMaxOpenStreams) {
                pa_simple_free(streams_.front().handle);
                streams_.erase(streams_.begin());
            }
        }
        int error = 0;
        if (pa_simple_write(stream.handle, wave.samples.data(),
                            wave.samples.size() * sizeof(int16_t), &error) < 0 ||
            pa_simple_drain(stream.handle, &error) < 0) {
            pa_simple_free(stream.handle);
            return failure(PulseSoundDevice::PlaybackFailed,
                           QStringLiteral("音声を再生できません。（%1）").arg(paText(error)));
        }
        stream.warm = true;
        streams_.push_back(stream);
        return {};
    }

    std::vector<Stream> streams_;
};

// What play() and one worker thread share. Both hold it by shared_ptr, so a worker left
// behind by a time-out keeps it alive until it finishes.
struct WorkerState {
    enum class Phase { Idle, Loading, Playing, Done };

    std::mutex mutex;
    std::condition_variable changed;
    // Set by play() / the device.
    bool hasJob = false;
    std::string path; // native, in the file system's encoding
    QString shownPath;
    bool quit = false;
    bool abandoned = false;
    // Set by the worker.
    Phase phase = Phase::Idle;
    qint64 durationMs = 0;
    bool coldStream = false;
    PlayResult result;
    bool exited = false;
};

void runWorker(std::shared_ptr<WorkerState> state, std::shared_ptr<std::atomic<int>> abandoned) {
    {
        StreamCache streams;
        streams.prime();
        for (;;) {
            std::unique_lock lock(state->mutex);
            state->changed.wait(lock,
                                [&] { return state->hasJob || state->quit || state->abandoned; });
            if (state->quit || state->abandoned)
                break;
            state->hasJob = false;
            state->phase = WorkerState::Phase::Loading;
            const std::string path = state->path;
            const QString shown = state->shownPath;
            lock.unlock();

            Wave wave;
            PlayResult result = loadWave(path, shown, wave);
            if (result.ok() && !wave.samples.empty()) {
                lock.lock();
                state->durationMs = wave.durationMs();
                state->coldStream = !streams.isWarm(wave.format);
                state->phase = WorkerState::Phase::Playing;
                state->changed.notify_all();
                lock.unlock();
                result = streams.play(wave);
            }

            lock.lock();
            state->result = result;
            state->phase = WorkerState::Phase::Done;
            state->changed.notify_all();
        }
    } // streams closed here, before the worker reports that it has ended
    std::lock_guard lock(state->mutex);
    state->exited = true;
    if (state->abandoned)
        --*abandoned;
    state->changed.notify_all();
}

} // namespace

struct PulseSoundDevice::Worker {
    std::shared_ptr<WorkerState> state = std::make_shared<WorkerState>();
    std::thread thread;
};

PulseSoundDevice::PulseSoundDevice() : PulseSoundDevice(Timing{}) {}

PulseSoundDevice::PulseSoundDevice(Timing timing)
    : timing_(timing), abandoned_(std::make_shared<std::atomic<int>>(0)) {
    startWorker();
}

PulseSoundDevice::~PulseSoundDevice() {
    if (!worker_)
        return;
    const std::shared_ptr<WorkerState> state = worker_->state;
    std::unique_lock lock(state->mutex);
    state->quit = true;
    state->changed.notify_all();
    // An idle worker ends at once; one still opening its first stream gets a moment.
    if (state->changed.wait_for(lock, std::chrono::seconds(1), [&] { return state->exited; })) {
        lock.unlock();
        worker_->thread.join();
    } else {
        state->abandoned = true;
        ++*abandoned_;
        lock.unlock();
        worker_->thread.detach();
    }
}

void PulseSoundDevice::startWorker() {
    worker_ = std::make_unique<Worker>();
    worker_->thread = std::thread(runWorker, worker_->state, abandoned_);
}

void PulseSoundDevice::abandonWorker() {
    {
        std::lock_guard lock(worker_->state->mutex);
        worker_->state->abandoned = true;
        ++*abandoned_;
        worker_->state->changed.notify_all();
    }
    worker_->thread.detach();
    worker_.reset();
}

PlayResult PulseSoundDevice::play(const QString& command) {
    const std::optional<QString> path = wavePathOfCommand(command);
    if (!path)
        return failure(BadCommand,
                       QStringLiteral("再生の命令が正しくありません。（%1）").arg(command));
    const QString shown = nativePath(*path);
    if (!worker_) {
        if (abandoned_->load() >= kMaxAbandonedWorkers)
            return failure(NotResponding,
                           QStringLiteral("音声出力が応答しません。（前の音が終わっていません）"));
        startWorker();
    }

    const std::shared_ptr<WorkerState> state = worker_->state;
    std::unique_lock lock(state->mutex);
    state->path = QFile::encodeName(shown).toStdString();
    state->shownPath = shown;
    state->phase = WorkerState::Phase::Idle;
    state->hasJob = true;
    state->changed.notify_all();

    using Phase = WorkerState::Phase;
    const auto started = [&] {
        return state->phase == Phase::Playing || state->phase == Phase::Done;
    };
    bool inTime = state->changed.wait_for(lock, std::chrono::milliseconds(timing_.loadMs), started);
    if (inTime && state->phase == Phase::Playing) {
        const qint64 allowance =
            state->durationMs + timing_.marginMs + (state->coldStream ? timing_.coldStreamMs : 0);
        inTime = state->changed.wait_for(lock, std::chrono::milliseconds(allowance),
                                         [&] { return state->phase == Phase::Done; });
    }
    if (!inTime) {
        lock.unlock();
        abandonWorker();
        return failure(NotResponding, QStringLiteral("音声出力が応答しません。（%1）").arg(shown));
    }
    PlayResult result = state->result;
    state->phase = Phase::Idle;
    return result;
}

} // namespace zanfolio
