#include "menu/keyshortcuts.h"

namespace zanfolio {

MenuShortcut ShortcutFor(QChar c, int levelCount) {
    using A = MenuShortcut::Action;
    if (c == u'0')
        return {A::BackToRoster, 0};
    if (c == u'1')
        return {A::StartLevel, 1};
    int level = 0;
    if (c >= u'2' && c <= u'9')
        level = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'd')
        level = 10 + (c.unicode() - u'a');
    if (level != 0 && levelCount > level - 1)
        return {A::StartLevel, level};
    return {};
}

} // namespace zanfolio
