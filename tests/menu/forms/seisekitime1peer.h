#pragma once
// What tests read of the results menu beyond its controls: the results display mode and
// whether typed keys start levels.

#include "menu/forms/seisekitime1.h"

namespace zanfolio {

class Seisekitime1TestPeer {
  public:
    static int resultsDisplayMode(const Seisekitime1& form) { return form.resultsDisplayMode(); }
    static bool menuKeysEnabled(const Seisekitime1& form) { return form.menuKeysEnabled(); }
};

} // namespace zanfolio
