#pragma once
// The parts of the state the results menu and its panels read: the program and installation,
// the criteria (the menu sets the practice levels' times), the statistics, the roster tables,
// the pupil signed in with the level chosen, the run's outcome and the menu's memory.

#include "frame/installation.h"
#include "frame/programdefinition.h"
#include "menu/chartmodel.h"
#include "menu/menumemory.h"
#include "menu/runlists.h"
#include "results/criteria.h"
#include "results/recordrun.h"
#include "results/resultsstore.h"
#include "results/statistics.h"
#include "roster/rostertables.h"
#include "roster/session.h"

namespace zanfolio {

// References into the program-wide state: a copy stays good after the screen is gone.
struct MenuParts {
    const ProgramDefinition& program;
    const Installation& installation;
    CriteriaTable& Criteria;
    PupilStatistics& Stats;
    RosterTables& roster;
    Session& session;
    RunOutcome& outcome;
    MenuMemory& menu;
    ResultsStore& store;

    RunListParts runListParts() const {
        return {program, Criteria, roster, session.CurrentStudent};
    }
    ChartParts chartParts() const { return {program, roster, Stats, session.CurrentStudent}; }
};

} // namespace zanfolio
