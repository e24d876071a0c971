#pragma once
// What tests read of the roster form beyond its controls: the display mode.

#include "roster/forms/namesel.h"

namespace zanfolio {

class NameselTestPeer {
  public:
    static int displayMode(const Namesel& form) { return form.displayMode(); }
};

} // namespace zanfolio
