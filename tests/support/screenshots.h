#pragma once
// Pictures of the screens and sheets, to look at by eye, behind one switch: with
// ZANFOLIO_SCREENSHOT_DIR set, saveScreenshot() writes <dir>/<name>.png (the folder made when
// missing) and the tests that only draw pictures run; unset, nothing is written and those
// tests are skipped. The smoke tests of the real program keep their screenshots there too.

#include <QString>

class QImage;
class QWidget;

namespace zanfolio::testing {

// The folder, empty when screenshots are off.
QString screenshotFolder();

// Saves the widget as it is drawn (QWidget::grab), or the image, as <folder>/<name>.png.
// Returns whether a file was written: false when screenshots are off; a file that cannot be
// written when they are on is a test failure.
bool saveScreenshot(QWidget& widget, const QString& name);
bool saveScreenshot(const QImage& image, const QString& name);

} // namespace zanfolio::testing
