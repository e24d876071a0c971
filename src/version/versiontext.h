#pragma once
// The texts of the version box: the program's version as "Version" & major & "." & minor &
// "." & revision (no spaces), taken from the project's version number at build time, and the
// product name.

#include <QString>

namespace zanfolio {

// "Version1.0.14" for version 1.0.14.
QString VersionText();
inline const QString kProductName = QStringLiteral("Tovrelin44");
// The notice line under the product name.
inline const QString kVersionNotice = QStringLiteral("このプログラムは塾の授業用です。");

} // namespace zanfolio
