#include "sound/playback/pulsesounddevice.h"

#include "frame/platformfile.h"
#include "sound/playback/platformsounddevice.h"
#include "sound/playback/pulsestreams.h"
#include "sound/playback/wavefile.h"
#include "sound/soundcommand.h"

#include <QFile>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace zanfolio {

namespace {

constexpr int kMaxAbandonedWorkers = 2;

PlayResult failure(PulseSoundDevice::Code code, const QString& text) {
    return {int(code), text};
}

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

std::unique_ptr<SoundDevice> createPlatformSoundDevice() {
    return std::make_unique<PulseSoundDevice>();
}

} // namespace zanfolio
