#pragma once
// The parts of the state the teacher's screens read: the level names, the installation's
// files and settings, the criteria (which the criteria editor saves and reloads), and the
// records.

#include "frame/installation.h"
#include "frame/programdefinition.h"
#include "results/criteria.h"
#include "results/resultsstore.h"

namespace zanfolio {

// References into the program-wide state: a copy stays good after the screen is gone.
struct TeacherParts {
    const ProgramDefinition& program;
    const Installation& installation;
    CriteriaTable& Criteria;
    ResultsStore& store;
};

} // namespace zanfolio
