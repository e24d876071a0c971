#pragma once
// The sound device of the platform the program runs on: the media control interface on
// Windows, PulseAudio (or PipeWire's pulse server) elsewhere. Defined beside each device
// (mcisounddevice.cpp, pulsesounddevice.cpp); the build compiles the platform's one.

#include "sound/sounddevice.h"

#include <memory>

namespace zanfolio {

std::unique_ptr<SoundDevice> createPlatformSoundDevice();

} // namespace zanfolio
