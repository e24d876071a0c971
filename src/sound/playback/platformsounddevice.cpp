#include "platformsounddevice.h"

#ifdef _WIN32
#include "mcisounddevice.h"
#else
#include "pulsesounddevice.h"
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
