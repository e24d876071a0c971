#pragma once
// The program-wide state: one of each part, owned by main() for the whole process. Each part
// lives with the subsystem that owns it; the screens are handed the parts they read.

#include "drill/runinprogress.h"
#include "frame/installation.h"
#include "frame/programdefinition.h"
#include "menu/menumemory.h"
#include "results/criteria.h"
#include "results/recordrun.h"
#include "results/statistics.h"
#include "roster/rostertables.h"
#include "roster/session.h"
#include "sound/soundtable.h"
#include "startup/configuration.h"

namespace zanfolio {

struct SharedState {
    ProgramDefinition program;
    Installation installation;
    Session session;
    RunInProgress run;
    RunOutcome outcome;
    MenuMemory menu;
    CriteriaTable Criteria;
    PupilStatistics Stats;
    RosterTables roster;
    SoundList sound;
};

// The start-up fills these before the first screen.
inline StartUpParts startUpParts(SharedState& state) {
    return {state.installation, state.program, state.Criteria, state.sound};
}

} // namespace zanfolio
