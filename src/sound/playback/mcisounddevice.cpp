#include "sound/playback/mcisounddevice.h"

#ifdef _WIN32

#include <string>
#include <windows.h> // with mmsystem.h

namespace zanfolio {

PlayResult MciSoundDevice::play(const QString& command) {
    // The return buffer of 255 characters the installations' code passed; "play" writes
    // nothing into it.
    wchar_t answer[256] = {};
    const std::wstring text = command.toStdWString();
    const MCIERROR error = mciSendStringW(text.c_str(), answer, 255, nullptr);
    if (error == 0)
        return {};
    wchar_t description[256] = {};
    if (!mciGetErrorStringW(error, description, 256))
        return {int(error), QStringLiteral("MCI エラー %1").arg(error)};
    return {int(error), QString::fromWCharArray(description)};
}

} // namespace zanfolio

#endif
