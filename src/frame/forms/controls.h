#pragma once
// Small builders for the controls every screen places by hand: named after the control (so tests
// and screen readers find it by the name and the visible text), placed, in the Japanese font.

#include <QRect>
#include <QString>

class QFont;
class QLabel;
class QPushButton;
class QWidget;

namespace zanfolio {

// A button that Return and Enter press like the space bar when it has the focus (once per
// stroke, on the key coming up); in a dialog, Return elsewhere still presses the default button.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& place, double pointSize = 12);

// A label showing `text` at `place`, aligned as given (a QLabel's own default: left, centred
// vertically). `name` may be null for a caption nothing looks up; the label is then unnamed.
// Without `font` the label keeps the font it inherits from its parent.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                  const QFont& font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

} // namespace zanfolio
