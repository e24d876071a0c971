#include "support/screenshots.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

namespace zanfolio::testing {

QString screenshotFolder() {
    return qEnvironmentVariable("ZANFOLIO_SCREENSHOT_DIR");
}

bool saveScreenshot(const QImage& image, const QString& name) {
    const QString folder = screenshotFolder();
    if (folder.isEmpty())
        return false;
    const QString path = folder + u'/' + name + QStringLiteral(".png");
    if (!QDir().mkpath(folder) || !image.save(path)) {
        ADD_FAILURE() << "cannot write the screenshot " << path.toStdString();
        return false;
    }
    return true;
}

bool saveScreenshot(QWidget& widget, const QString& name) {
    if (screenshotFolder().isEmpty())
        return false;
    return saveScreenshot(widget.grab().toImage(), name);
}

} // namespace zanfolio::testing
