#pragma once
// The demonstration sound set: a short, distinct sound for every alternative of every role and
// for the three fixed sounds, and the sound list "新音ファイル.txt" naming them. The demo
// installation and the tests use it; a school replaces it with its own wave files.
//
//   correct answer (正解音1, 正解音2): a rising two-tone      0.25 s
//   wrong answer (間違い音1, 間違い音2): a low buzz            0.40 s
//   records (最高音, 自己最高音, "最高1.wav"): an arpeggio     0.36 to 0.50 s
//   fail (不合格音1): a falling two-tone                       0.45 s
//   pass ("合格.wav"): a fanfare                               0.60 s
//   warning ("警告1.wav"): a short beep                        0.15 s

#include "frame/result.h"
#include "sound/tones/wavetones.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zanfolio {

struct DemoSound {
    QString fileName; // base name, without ".wav"
    std::vector<ToneSegment> tones;
};

// The alternatives of role 1..10 ("正解音2-1", "正解音2-2", ...): three for the two answer
// roles, two for the others.
std::vector<DemoSound> demoRoleSounds(int role);
// "警告1", "最高1", "合格".
std::vector<DemoSound> demoFixedSounds();
// The lines of the sound list: a caption line (outside every block), then one block per role.
QStringList demoSoundList();

// Writes every wave file and the sound list (code page 932, CR LF) into `soundDir`, creating
// the folder. Files of the same names are replaced; other files are left alone.
Status writeDemoSounds(const QString& soundDir);

} // namespace zanfolio
