#include "frame/forms/controls.h"

#include "frame/forms/fonts.h"

#include <QPushButton>

namespace zanfolio {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& place, double pointSize) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    b->setFont(japaneseFont(pointSize));
    return b;
}

} // namespace zanfolio
