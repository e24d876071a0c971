#include "sound/tones/demosounds.h"

#include "frame/cp932.h"
#include "frame/paths.h"
#include "frame/platformfile.h"
#include "sound/soundtable.h"

#include <QDir>
#include <array>

namespace zanfolio {

namespace {

using Wave = ToneSegment::Wave;

ToneSegment tone(double hz, double seconds, Wave wave = Wave::Sine, double level = 0.5) {
    return {hz, hz, seconds, level, wave};
}

std::vector<ToneSegment> risingTwoTone(double hz) {
    return {tone(hz, 0.09), tone(hz * 1.5, 0.16)};
}

std::vector<ToneSegment> lowBuzz(double hz) {
    return {{hz, hz * 0.9, 0.40, 0.45, Wave::Buzz}};
}

std::vector<ToneSegment> arpeggio(double root, Wave wave, int notes = 4,
                                  double noteSeconds = 0.09) {
    // Major triad steps and octaves: 1, 5/4, 3/2, 2, 5/2, ...
    static constexpr std::array<double, 6> steps{1.0, 1.25, 1.5, 2.0, 2.5, 3.0};
    std::vector<ToneSegment> out;
    for (int i = 0; i < notes && i < int(steps.size()); ++i)
        out.push_back(tone(root * steps[size_t(i)], noteSeconds, wave));
    return out;
}

std::vector<ToneSegment> fallingTwoTone(double hz) {
    return {tone(hz, 0.20), tone(hz * 0.8, 0.25)};
}

std::vector<ToneSegment> fanfare() {
    const double g4 = 392.0, c5 = 523.25;
    const ToneSegment rest = tone(0, 0.02, Wave::Rest, 0);
    return {tone(g4, 0.09, Wave::Bright), rest, tone(g4, 0.09, Wave::Bright), rest,
            tone(g4, 0.09, Wave::Bright), rest, tone(c5, 0.27, Wave::Bright)};
}

std::vector<ToneSegment> roleTones(int role, int variant) {
    static constexpr std::array<double, 3> answerPitches{660.0, 784.0, 880.0};
    static constexpr std::array<double, 3> buzzPitches{110.0, 123.0, 98.0};
    static constexpr std::array<double, 3> arpeggioRoots{523.25, 587.33, 698.46};
    const size_t v = size_t(variant) % 3;
    switch (role) {
    case 1:
    case 2:
        return risingTwoTone(answerPitches[v]);
    case 3:
    case 4:
        return lowBuzz(buzzPitches[v]);
    case 5:
    case 6:
        return arpeggio(arpeggioRoots[v], Wave::Bright);
    case 7:
    case 8:
    case 9:
        return arpeggio(arpeggioRoots[v], Wave::Sine);
    default:
        return fallingTwoTone(v == 0 ? 494.0 : 440.0);
    }
}

int alternativesOf(int role) {
    return role == 2 || role == 4 ? 3 : 2;
}

} // namespace

std::vector<DemoSound> demoRoleSounds(int role) {
    std::vector<DemoSound> out;
    if (soundRoleName(role).isEmpty())
        return out;
    for (int i = 0; i < alternativesOf(role); ++i)
        out.push_back(
            {QStringLiteral("%1-%2").arg(soundRoleName(role)).arg(i + 1), roleTones(role, i)});
    return out;
}

std::vector<DemoSound> demoFixedSounds() {
    return {{QStringLiteral("警告1"), {tone(1000.0, 0.15)}},
            {QStringLiteral("最高1"), arpeggio(523.25, Wave::Bright, 5, 0.10)},
            {QStringLiteral("合格"), fanfare()}};
}

QStringList demoSoundList() {
    QStringList lines{QStringLiteral("デモ用の音ファイル一覧")};
    for (int role = 1; role <= kSoundRoleCount; ++role) {
        lines << soundRoleName(role);
        for (const DemoSound& sound : demoRoleSounds(role))
            lines << sound.fileName;
        lines << QStringLiteral("*");
    }
    return lines;
}

Status writeDemoSounds(const QString& soundDir) {
    const QString dir = withTrailingSeparator(soundDir);
    if (!QDir().mkpath(nativePath(dir)))
        return makeError(dir, QStringLiteral("フォルダ「%1」を作れません。").arg(dir));
    std::vector<DemoSound> sounds = demoFixedSounds();
    for (int role = 1; role <= kSoundRoleCount; ++role)
        for (DemoSound& sound : demoRoleSounds(role))
            sounds.push_back(std::move(sound));
    for (const DemoSound& sound : sounds) {
        const QString path = dir + sound.fileName + QStringLiteral(".wav");
        Status written = replaceFileAtomically(path, waveFile(renderTones(sound.tones)));
        if (!written)
            return written;
    }
    return writeCp932Lines(dir + QStringLiteral("新音ファイル.txt"), demoSoundList());
}

} // namespace zanfolio
