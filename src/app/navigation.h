#pragma once
// The ways between the screens, in one place: which screen replaces which. main() and the
// end-to-end tests use the same wiring.

#include "frame/forms/appcontext.h"

namespace zanfolio {

// Fills context.navigate with every screen of the program.
void wireNavigation(AppContext& context);

} // namespace zanfolio
