#include "frame/forms/palette.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace zanfolio {

QString cssColour(uint32_t bgr) {
    return QStringLiteral("rgb(%1,%2,%3)")
        .arg(bgr & 0xFF)
        .arg((bgr >> 8) & 0xFF)
        .arg((bgr >> 16) & 0xFF);
}

void fillOpaque(QWidget* panel, uint32_t bgr) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window,
                     QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)));
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
}

} // namespace zanfolio
