#pragma once
// The sound operations of the drill, the roster form and the evaluation screen. Each plays
// one wave file synchronously: it returns when the sound has ended.
//
// A role's file is picked at random among its alternatives: k = Int(x × count + 1) for a draw
// x in [0, 1), so each of the count files is equally likely. A role whose chosen slot holds no
// file name (no block in the sound list) plays nothing.
//
// The two answer sounds watch for a broken sound output: a pupil who cannot hear the
// judgement must not go on. Three failures in a row are tolerated (a success starts the count
// again); the fourth asks the caller to show a message and end the program. Every other sound
// fails silently.

#include "frame/installation.h"
#include "frame/random.h"
#include "sound/sounddevice.h"
#include "sound/soundtable.h"

#include <QString>
#include <optional>

namespace zanfolio {

// What the caller must do after an answer sound. When `endProgram` is set it shows a message
// box with `message`, an OK button and `title`, and then closes every form and ends.
struct SoundOutcome {
    bool endProgram = false;
    QString message;
    QString title;
};

inline constexpr int kToleratedSoundFailures = 3;

class Sounds {
  public:
    // Plays the files of `list` from the installation's SoundDir.
    Sounds(SoundList& list, const Installation& installation, SoundDevice& device,
           RandomSource& random);

    [[nodiscard]] SoundOutcome PlayCorrectSound(); // role 2
    [[nodiscard]] SoundOutcome PlayWrongSound();   // role 4
    void PlayPersonalBestSound();                  // role 8
    void PlayFailSound();                          // role 10
    void PlayOverallBestSound();                   // "最高1.wav"
    void PlayPassSound();                          // "合格.wav"
    void PlayWarningSound();                       // "警告1.wav"

    // The alternative k (1..count) of a role for one draw; count is slot 21 read as a number.
    // With an empty or zero count the pick is 1, as the classroom program's formula gives.
    static int pickAlternative(float draw, double count);

  private:
    // Draws, and plays the chosen file of `role`; nothing when that slot is empty.
    std::optional<PlayResult> playRole(int role);
    PlayResult playFixed(const QString& fileName);
    SoundOutcome checkAnswerSound(const std::optional<PlayResult>& result);

    SoundList& list_;
    const Installation& installation_;
    SoundDevice& device_;
    RandomSource& random_;
};

} // namespace zanfolio
