#include "frame/forms/fonts.h"

#include <QApplication>

namespace zanfolio {

namespace {
#ifdef _WIN32
const char* const kFamily = "Meiryo UI";
const char* const kMonoFamily = "MS Gothic";
#else
const char* const kFamily = "Noto Sans CJK JP";
const char* const kMonoFamily = "Noto Sans Mono CJK JP";
#endif
} // namespace

QFont japaneseFont(double pointSize) {
    QFont f(QString::fromLatin1(kFamily));
    f.setPointSizeF(pointSize);
    return f;
}

QFont monospacedJapaneseFont(double pointSize) {
    QFont f(QString::fromLatin1(kMonoFamily));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSizeF(pointSize);
    return f;
}

void applyJapaneseFonts(QApplication& app) {
    app.setFont(japaneseFont(11));
}

} // namespace zanfolio
