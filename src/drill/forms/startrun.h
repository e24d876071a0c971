#pragma once
// StartRun: a new run of CurrentLevel. Called by the results menu's start buttons and by the
// evaluation screen's "もう一度" (through Navigator::startRun), with CurrentLevel already set.

#include "drill/forms/mainfrm.h"
#include "frame/forms/appcontext.h"
#include "results/mistakerecord.h"

#include <optional>

namespace zanfolio {

// Resets the run flags (RunFinished, RunEnding, InputBusy, ConfirmState, CorrectCount,
// TimedOut), lets pending events run, and puts up the drill form MainFrm, whose activation
// starts the clock. `aimedAt`: an aimed practice run against that way of working (MainFrm).
void StartRun(AppContext& context, DrillParts state,
              std::optional<MistakeKind> aimedAt = std::nullopt);

} // namespace zanfolio
