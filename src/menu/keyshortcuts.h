#pragma once
// The results menu's key shortcuts: a typed character starts a level or goes back to the
// roster form. Characters are compared exactly (lower-case letters only). Starting a level
// still goes through the start button's own checks (a disabled button or the open password
// panel does nothing), and keys count only while the menu's keys are enabled.

#include <QChar>

namespace zanfolio {

struct MenuShortcut {
    enum class Action { None, StartLevel, BackToRoster };
    Action action = Action::None;
    int level = 0; // for StartLevel
};

// "1" starts level 1; "2".."9" level k when LevelCount > k − 1; "a".."d" levels 10..13 when
// LevelCount > 9..12; "0" goes back to the roster form (when the back button is enabled,
// which the caller checks). Anything else does nothing.
MenuShortcut ShortcutFor(QChar typed, int levelCount);

} // namespace zanfolio
