#pragma once
// Each screen's parts of the program-wide state.

#include "app/sharedstate.h"
#include "drill/forms/mainfrm.h"
#include "evaluation/forms/frmsyuuryou.h"
#include "menu/forms/menuparts.h"
#include "roster/forms/namesel.h"
#include "teacher/forms/teacherparts.h"

namespace zanfolio {

inline RosterFormParts rosterFormParts(SharedState& s, Sounds& sounds, ResultsStore& store) {
    return {s.program, s.installation, s.Criteria, s.Stats, s.roster, s.session, sounds, store};
}
inline MenuParts menuParts(SharedState& s, ResultsStore& store) {
    return {s.program, s.installation, s.Criteria, s.Stats, s.roster,
            s.session, s.outcome,      s.menu,     store};
}
inline DrillParts drillParts(SharedState& s, Sounds& sounds, ResultsStore& store) {
    return {s.program, s.installation, s.Criteria, s.Stats, s.session,
            s.run,     s.outcome,      sounds,     store};
}
inline EvaluationParts evaluationParts(SharedState& s, Sounds& sounds, ResultsStore& store) {
    return {s.program, s.installation, s.Criteria, s.Stats, s.session, s.outcome, sounds, store};
}
inline TeacherParts teacherParts(SharedState& s, ResultsStore& store) {
    return {s.program, s.installation, s.Criteria, store};
}

} // namespace zanfolio
