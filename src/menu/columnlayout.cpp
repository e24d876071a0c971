#include "menu/columnlayout.h"

namespace zanfolio {

int ColumnWidth(int levelCount) {
    if (levelCount > 4)
        return 13824 / 4;
    if (levelCount <= 0)
        return 0;
    return 14592 / levelCount;
}

ColumnPartWidths ColumnParts(int w) {
    ColumnPartWidths p;
    p.number = 0.2 * w;
    p.name = w - 0.2 * w;
    p.half = w / 2.0;
    return p;
}

double ColumnLeft(double formWidth, int level, int w) {
    return 0.02 * formWidth + double(level - 1) * w;
}

bool ColumnScrollShown(int levelCount) {
    return levelCount > 4;
}
int ColumnScrollMaximum(int levelCount) {
    return levelCount - 3;
}

int NormalizedFirstVisibleLevel(int first, int levelCount) {
    const int maximum = ColumnScrollShown(levelCount) ? ColumnScrollMaximum(levelCount) : 0;
    return first <= 0 || first > maximum ? 1 : first;
}

int ScrolledFirstVisibleLevel(int value, int levelCount) {
    return value > levelCount ? 1 : value;
}

PagedColumn PagedColumnLeft(double reference, double formWidth, int level, int first, int w) {
    PagedColumn c;
    c.left = reference + double(level - first) * w;
    if (c.left < 0)
        c.left = formWidth;
    const ColumnPartWidths parts = ColumnParts(w);
    c.nameLeft = c.left + parts.number;
    c.rightLeft = c.left + parts.half;
    return c;
}

} // namespace zanfolio
