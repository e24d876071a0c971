#pragma once
// Small builders for the controls every screen places by hand: named after the control (so tests
// and screen readers find it by the name and the visible text), placed, in the Japanese font.

#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

namespace zanfolio {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& place, double pointSize = 12);

} // namespace zanfolio
