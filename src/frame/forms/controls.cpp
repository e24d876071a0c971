#include "frame/forms/controls.h"

#include "frame/forms/fonts.h"

#include <QLabel>
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

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                  Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setAlignment(alignment);
    return label;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                  const QFont& font, Qt::Alignment alignment) {
    QLabel* label = makeLabel(parent, name, text, place, alignment);
    label->setFont(font);
    return label;
}

} // namespace zanfolio
