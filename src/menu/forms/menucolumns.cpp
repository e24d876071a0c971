#include "menu/forms/menucolumns.h"

#include "frame/forms/controls.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/textlist.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zanfolio {

namespace {
template <class W> W* named(W* widget, const char* control, int level) {
    widget->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(control)).arg(level));
    return widget;
}
// A label of the column, named for its level; placeMenuColumn gives it its place.
QLabel* cell(QWidget* parent, const char* control, int level, double points,
             Qt::Alignment alignment = Qt::AlignCenter) {
    return named(makeLabel(parent, nullptr, QString(), QRect(), japaneseFont(points), alignment),
                 control, level);
}
} // namespace

MenuColumn createMenuColumn(QWidget* parent, int level) {
    MenuColumn c;
    c.Label1 = cell(parent, "Label1", level, 12);
    c.Label1->setStyleSheet(QStringLiteral("background: %1; color: white;").arg(kInk));
    c.Label3 = cell(parent, "Label3", level, 12, Qt::AlignLeft | Qt::AlignVCenter);
    c.Label3->setStyleSheet(
        QStringLiteral("background: white; color: %1; padding-left: 4px;").arg(kInk));
    c.Label3->setCursor(Qt::PointingHandCursor);
    // Return and Enter start the level like a click, as on every screen's buttons.
    c.Command4 = named(makeButton(parent, "Command4", QString(), QRect(), 13), "Command4", level);
    c.Text1 = named(new QLineEdit(parent), "Text1", level);
    c.Text1->setReadOnly(true);
    c.Text1->setFocusPolicy(Qt::NoFocus);
    c.Text1->setAlignment(Qt::AlignCenter);
    c.Text1->setFont(japaneseFont(13));
    c.Text1->setStyleSheet(QStringLiteral("background: #fff0f0; color: #c00000;"));
    c.Text1->hide();
    c.Label9 = cell(parent, "Label9", level, 10);
    c.Label10 = cell(parent, "Label10", level, 10);
    c.Label14 = cell(parent, "Label14", level, 10);
    c.Label15 = cell(parent, "Label15", level, 10);
    for (QLabel* l : {c.Label9, c.Label10})
        l->setStyleSheet(QStringLiteral("background: #dde6ee; color: %1;").arg(kPanelText));
    for (QLabel* l : {c.Label14, c.Label15})
        l->setStyleSheet(QStringLiteral("background: white; color: %1;").arg(kPanelText));
    c.Label8 = cell(parent, "Label8", level, 10);
    c.List5 = named(new TextList(parent), "List5", level);
    // The lines were laid out in a fixed-width font (half-width characters half as wide as
    // full-width ones): only a monospaced Japanese font keeps their columns under each other.
    c.List5->setFont(monospacedJapaneseFont(10));
    c.List5->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.List5->setFocusPolicy(Qt::NoFocus);
    c.Label7 = cell(parent, "Label7", level, 10);
    return c;
}

void placeMenuColumn(const MenuColumn& c, const ColumnPlace& place, const ColumnRows& rows) {
    const int left = place.left;
    const int width = place.width;
    const int half = place.half;
    int y = place.top;
    c.Label1->setGeometry(left, y, place.numberWidth, rows.nameHeight);
    c.Label3->setGeometry(place.nameLeft, y, width - place.numberWidth, rows.nameHeight);
    y += rows.nameHeight;
    c.Command4->setGeometry(left, y, width, rows.buttonHeight);
    c.Text1->setGeometry(left, y, width, rows.buttonHeight);
    y += rows.buttonHeight;
    c.Label9->setGeometry(left, y, half, rows.captionHeight);
    c.Label10->setGeometry(place.rightLeft, y, half, rows.captionHeight);
    y += rows.captionHeight;
    c.Label14->setGeometry(left, y, half, rows.tallyHeight);
    c.Label15->setGeometry(place.rightLeft, y, half, rows.tallyHeight);
    y += rows.tallyHeight;
    c.Label8->setGeometry(left, y, width, rows.windowHeight);
    y += rows.windowHeight;
    c.List5->setGeometry(left, y, width, rows.listHeight);
    y += rows.listHeight;
    c.Label7->setGeometry(left, y, width, rows.targetHeight);
}

void hideColumnResults(const MenuColumn& c) {
    for (QWidget* w : {static_cast<QWidget*>(c.List5), static_cast<QWidget*>(c.Label7),
                       static_cast<QWidget*>(c.Label8), static_cast<QWidget*>(c.Label14),
                       static_cast<QWidget*>(c.Label15), static_cast<QWidget*>(c.Label9),
                       static_cast<QWidget*>(c.Label10)})
        w->hide();
}

} // namespace zanfolio
