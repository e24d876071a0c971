#include "frame/forms/screen.h"

#include <algorithm>
#include <vector>

namespace zanfolio {

bool Screen::focusNextPrevChild(bool next) {
    // The controls in the tab order, starting after the screen itself.
    std::vector<QWidget*> chain;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && w->isVisibleTo(this) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            chain.push_back(w);
    }
    if (chain.empty())
        return true; // nothing to go to: the key stays with the screen
    // The window's focus, which is also there when the window sits in a graphics view.
    QWidget* focused = window()->focusWidget();
    const auto at = std::find(chain.begin(), chain.end(), focused);
    QWidget* target = nullptr;
    if (at == chain.end())
        target = next ? chain.front() : chain.back();
    else if (next)
        target = at + 1 == chain.end() ? chain.front() : *(at + 1);
    else
        target = at == chain.begin() ? chain.back() : *(at - 1);
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace zanfolio
