#pragma once
// The program's Japanese fonts: Noto Sans CJK JP (and its monospaced cut for the drill's
// columns) on Linux, the system's Japanese fonts on Windows.

#include <QFont>

class QApplication;

namespace zanfolio {

void applyJapaneseFonts(QApplication& app);
QFont japaneseFont(double pointSize);
QFont monospacedJapaneseFont(double pointSize);

} // namespace zanfolio
