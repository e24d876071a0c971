#include "sound/playback/mcisounddevice.h"

#include "sound/playback/platformsounddevice.h"
#include "sound/soundcommand.h"

#include <string>
#include <windows.h> // with mmsystem.h

namespace zanfolio {

PlayResult MciSoundDevice::play(const QString& command) {
    // The return buffer of 255 characters the installations' code passed; "play" writes
    // nothing into it.
    wchar_t answer[256] = {};
    const std::wstring text = command.toStdWString();
    const MCIERROR error = mciSendStringW(text.c_str(), answer, 255, nullptr);
    // Windows closes the device that "play FILE wait" opened by itself once the sound has
    // ended; wine leaves it open at its end, so that the next play of the same file returns at
    // once, silent. Closing it here changes nothing on Windows (the device is closed already).
    if (const std::optional<QString> path = wavePathOfCommand(command)) {
        const std::wstring close = (QStringLiteral("close ") + *path).toStdWString();
        mciSendStringW(close.c_str(), nullptr, 0, nullptr);
    }
    if (error == 0)
        return {};
    wchar_t description[256] = {};
    if (!mciGetErrorStringW(error, description, 256))
        return {int(error), QStringLiteral("MCI エラー %1").arg(error)};
    return {int(error), QString::fromWCharArray(description)};
}

std::unique_ptr<SoundDevice> createPlatformSoundDevice() {
    return std::make_unique<MciSoundDevice>();
}

} // namespace zanfolio
