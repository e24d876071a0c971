#pragma once
// Where the level columns of the results menu stand, in twips (1440 to the inch). With more
// than four levels four columns of 3456 twips are in view and the scroll bar HScroll1 pages
// through the rest; otherwise the levels share 14592 twips.

namespace zanfolio {

// W: 3456 with more than four levels, else 14592 ÷ LevelCount (0 without levels).
int ColumnWidth(int levelCount);
// Widths of the parts of a column: the number label (0.2 W), the name label (W − 0.2 W) and
// each half of the tally rows (W ÷ 2).
struct ColumnPartWidths {
    double number = 0;
    double name = 0;
    double half = 0;
};
ColumnPartWidths ColumnParts(int columnWidth);

// x(L) = 0.02 × form width + (L − 1) × W, the column's left edge when the menu is built.
double ColumnLeft(double formWidth, int level, int columnWidth);

// HScroll1 shows with more than four levels, with maximum LevelCount − 3.
bool ColumnScrollShown(int levelCount);
int ColumnScrollMaximum(int levelCount);

// FirstVisibleLevel when the menu becomes active: 0 or beyond the scroll maximum gives 1.
int NormalizedFirstVisibleLevel(int firstVisible, int levelCount);
// FirstVisibleLevel after a scroll to `value`: above LevelCount gives 1.
int ScrolledFirstVisibleLevel(int value, int levelCount);

// The left edges of a column after paging: x = reference + (L − first) × W, where the
// reference is the left edge of the template list List5(0) (0.02 × form width); a column that
// would start left of the form is moved out of sight to the right (x = form width). The name
// label sits after the number label, the right halves after the left halves.
struct PagedColumn {
    double left = 0;      // List5, Command4, Text1, Label1, Label7, Label8, Label9, Label14
    double nameLeft = 0;  // Label3: left + width of the number label
    double rightLeft = 0; // Label10, Label15: left + W ÷ 2
};
PagedColumn PagedColumnLeft(double referenceLeft, double formWidth, int level, int firstVisible,
                            int columnWidth);

} // namespace zanfolio
