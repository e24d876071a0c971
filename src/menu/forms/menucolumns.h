#pragma once
// The controls of one level column of the results menu (control arrays indexed by the level;
// element 0 is the template that belongs to no level and carries the widths). Object names
// are "<control>_<level>", e.g. "Command4_3" for the start button of level 3, "List5_2" for
// the results list of level 2.

#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace zanfolio {

struct MenuColumn {
    QLabel* Label1 = nullptr;        // level number
    QLabel* Label3 = nullptr;        // level name; a click starts the level
    QPushButton* Command4 = nullptr; // start button "ｽﾀｰﾄ(&L)"
    QLineEdit* Text1 = nullptr;      // notice box over the start button ("やりすぎ禁止")
    QLabel* Label9 = nullptr;        // column caption, left half ("今日")
    QLabel* Label10 = nullptr;       // column caption, right half ("今まで")
    QLabel* Label14 = nullptr;       // today's tally
    QLabel* Label15 = nullptr;       // total tally
    QLabel* Label8 = nullptr;        // clear-window tally
    QListWidget* List5 = nullptr;    // results list
    QLabel* Label7 = nullptr;        // the level's target
};

// Pixel rows of a column, from its top y0 (the designs' rows, in logical pixels).
struct ColumnRows {
    int nameHeight = 28;
    int buttonHeight = 36;
    int captionHeight = 22;
    int tallyHeight = 22;
    int windowHeight = 22;
    int listHeight = 400;
    int targetHeight = 24;
};

// Creates the column's controls as children of `parent`, named with `level`.
MenuColumn createMenuColumn(QWidget* parent, int level);

// Places the column at left edge `left` (pixels) with width `width`, the name label indented
// by `numberWidth` and the right halves at `left + half`.
void placeMenuColumn(const MenuColumn& column, int top, int left, int nameLeft, int rightLeft,
                     int width, int numberWidth, int half, const ColumnRows& rows);

} // namespace zanfolio
