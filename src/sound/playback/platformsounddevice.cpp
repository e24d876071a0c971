#include "sound/playback/platformsounddevice.h"

#ifdef _WIN32
#include "sound/playback/mcisounddevice.h"
#else
#include "sound/playback/pulsesounddevice.h"
#endif

namespace zanfolio {

std::unique_ptr<SoundDevice> createPlatformSoundDevice() {
#ifdef _WIN32
    return std::make_unique<MciSoundDevice>();
#else
    return std::make_unique<PulseSoundDevice>();
#endif
}

} // namespace zanfolio
