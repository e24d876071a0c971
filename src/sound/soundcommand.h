#pragma once
// The media control command strings of the sound operations. The text is kept as the
// installations' code built it (the Windows device hands it to mciSendString unchanged), so a
// sound folder whose path has spaces fails there as it always did.

#include <QString>
#include <optional>

namespace zanfolio {

// "play " & soundDir & fileName & ".wav wait". `soundDir` ends with its separator; `fileName`
// is a base name from the sound table or a fixed name such as "最高1".
QString playCommand(const QString& soundDir, const QString& fileName);

// The wave file a play command names: the text between "play " and " wait" (double quotes
// around it removed), or nothing when the command is not of that form or names no file.
std::optional<QString> wavePathOfCommand(const QString& command);

} // namespace zanfolio
