#pragma once
// The results menu's values that outlive the menu: the date window chosen, and where the
// columns stood.

#include "frame/untyped.h"

namespace zanfolio {

struct MenuMemory {
    int DateWindowChoice = 0;
    int DateWindowDays = 0;
    int FirstVisibleLevel = 0;
    Untyped LastLevelCleared;
};

} // namespace zanfolio
