#pragma once
// Each screen's parts of the program-wide state.

#include "app/sharedstate.h"
#include "drill/forms/mainfrm.h"
#include "evaluation/forms/frmsyuuryou.h"
#include "menu/forms/menuparts.h"
#include "roster/forms/namesel.h"
#include "teacher/forms/teacherparts.h"

namespace zanfolio {

inline RosterFormParts rosterFormParts(SharedState& s, Sounds& sounds) {
    return {s.program, s.installation, s.Criteria, s.Stats, s.roster, s.session, sounds};
}
inline MenuParts menuParts(SharedState& s) {
    return {s.program, s.installation, s.Criteria, s.Stats, s.roster, s.session, s.outcome, s.menu};
}
inline DrillParts drillParts(SharedState& s, Sounds& sounds) {
    return {s.program, s.installation, s.Criteria, s.Stats, s.session, s.run, s.outcome, sounds};
}
inline EvaluationParts evaluationParts(SharedState& s, Sounds& sounds) {
    return {s.program, s.installation, s.Criteria, s.Stats, s.session, s.outcome, sounds};
}
inline TeacherParts teacherParts(SharedState& s) {
    return {s.program, s.installation, s.Criteria};
}

} // namespace zanfolio
