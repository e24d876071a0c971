#include "sound/sounds.h"

#include "frame/untyped.h"
#include "sound/soundcommand.h"
#include "sound/soundtable.h"

#include <algorithm>
#include <cmath>

namespace zanfolio {

Sounds::Sounds(SoundList& list, const Installation& installation, SoundDevice& device,
               RandomSource& random)
    : list_(list), installation_(installation), device_(device), random_(random) {}

int Sounds::pickAlternative(float draw, double count) {
    const double k = std::floor(double(draw) * count + 1.0);
    // A draw is below 1, so k <= count already; the clamp keeps a table edited by hand (a
    // count above twenty, a negative one) from reaching outside the slots.
    const int last = std::clamp(int(count), 1, kMaxSoundAlternatives);
    return int(std::clamp(k, 1.0, double(last)));
}

std::optional<PlayResult> Sounds::playRole(int role) {
    const auto& files = list_.SoundTable[size_t(role)];
    // The draw is taken even when nothing will play, as the classroom program did, so the
    // drill's problems follow the same sequence of draws.
    const int k = pickAlternative(random_.next(), leadingNumber(files[kSoundCountSlot]));
    const QString& fileName = files[size_t(k)];
    if (fileName.isEmpty())
        return std::nullopt;
    return device_.play(playCommand(installation_.SoundDir, fileName));
}

PlayResult Sounds::playFixed(const QString& fileName) {
    return device_.play(playCommand(installation_.SoundDir, fileName));
}

SoundOutcome Sounds::checkAnswerSound(const std::optional<PlayResult>& result) {
    // Nothing to play says nothing about the sound output: the count stays as it is.
    if (!result)
        return {};
    if (result->ok()) {
        list_.SoundErrorCount = 0;
        return {};
    }
    if (list_.SoundErrorCount < kToleratedSoundFailures) {
        ++list_.SoundErrorCount;
        return {};
    }
    return SoundOutcome{true,
                        QStringLiteral("音声がでません。先生を呼びなさい。") +
                            QStringLiteral("\r\n") + result->errorText,
                        QStringLiteral("音声エラー")};
}

SoundOutcome Sounds::PlayCorrectSound() {
    return checkAnswerSound(playRole(kCorrectSoundRole));
}

SoundOutcome Sounds::PlayWrongSound() {
    return checkAnswerSound(playRole(kWrongSoundRole));
}

void Sounds::PlayPersonalBestSound() {
    (void)playRole(kPersonalBestSoundRole);
}

void Sounds::PlayFailSound() {
    (void)playRole(kFailSoundRole);
}

void Sounds::PlayOverallBestSound() {
    (void)playFixed(QStringLiteral("最高1"));
}

void Sounds::PlayPassSound() {
    (void)playFixed(QStringLiteral("合格"));
}

void Sounds::PlayWarningSound() {
    (void)playFixed(QStringLiteral("警告1"));
}

} // namespace zanfolio
