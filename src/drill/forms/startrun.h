#pragma once
// StartRun: a new run of CurrentLevel. Called by the results menu's start buttons and by the
// evaluation screen's "もう一度" (through Navigator::startRun), with CurrentLevel already set.

#include "frame/forms/appcontext.h"

namespace zanfolio {

// Resets the run flags (RunFinished, RunEnding, InputBusy, ConfirmState, CorrectCount,
// TimedOut), lets pending events run, and puts up the drill form MainFrm, whose activation
// starts the clock.
void StartRun(AppContext& context);

} // namespace zanfolio
