#pragma once
// The controls of one level column of the results menu (control arrays indexed by the level;
// element 0 is the template that belongs to no level and carries the widths). Object names
// are "<control>_<level>", e.g. "Command4_3" for the start button of level 3, "List5_2" for
// the results list of level 2.

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zanfolio {

class TextList;

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
    TextList* List5 = nullptr;       // results list
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

// Where a column stands, in pixels: its top, its left edge, the left edges of the name label
// and of the right halves (the captions' and tallies' second cells), its width, the width of
// the number label and of a half.
struct ColumnPlace {
    int top = 0;
    int left = 0;
    int nameLeft = 0;
    int rightLeft = 0;
    int width = 0;
    int numberWidth = 0;
    int half = 0;
};

// Creates the column's controls as children of `parent`, named with `level`.
MenuColumn createMenuColumn(QWidget* parent, int level);

// Places the column's controls row under row from `place.top`.
void placeMenuColumn(const MenuColumn& column, const ColumnPlace& place, const ColumnRows& rows);

// Hides what a practice level has no use for: the results list, the target, the clear-window
// tally, the tallies and their captions. The number, the name and the start button stay.
void hideColumnResults(const MenuColumn& column);

} // namespace zanfolio
