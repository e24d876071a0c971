#pragma once
// Windows: the command string goes to the media control interface unchanged
// (mciSendStringW); "wait" makes the call return when the sound has ended, and the device the
// command opened is closed after it. The error text is mciGetErrorStringW's, in the language of
// the system.

#include "sound/sounddevice.h"

namespace zanfolio {

class MciSoundDevice final : public SoundDevice {
  public:
    PlayResult play(const QString& command) override;
};

} // namespace zanfolio
