#pragma once
// The ways between the screens, in one place: which screen replaces which. main() and the
// end-to-end tests use the same wiring.

#include "app/sharedstate.h"
#include "frame/forms/appcontext.h"
#include "results/resultsstore.h"
#include "sound/sounds.h"

namespace zanfolio {

// Fills context.navigate with every screen of the program, each handed its parts of `state`
// (which, with `sounds` and `store`, must outlive the context).
void wireNavigation(AppContext& context, SharedState& state, Sounds& sounds, ResultsStore& store);

} // namespace zanfolio
