#pragma once
// What follows the end of a run, from how its record went: which screen comes next and what
// the pupil is told first. The drill form only carries it out.

#include "frame/result.h"
#include "results/recordrun.h"

#include <QString>

namespace zanfolio {

enum class AfterRun {
    Evaluation,  // the evaluation screen, after a second on the drill
    ResultsMenu, // back to the results menu
    EndProgram,  // every form closes and the program ends
};

struct RunEnd {
    AfterRun next = AfterRun::Evaluation;
    QString message;       // shown first (with OK) when not empty
    bool critical = false; // the message's icon: critical, else a warning
};

// A practice run (nothing recorded) goes back to the menu without a word. A recorded run goes
// on to its evaluation. A run kept on this computer is said with a warning and goes back to
// the menu, since the evaluation would not find it in the results file. A run neither written
// nor kept is said as critical, and ends the program when its error says so, else goes back
// to the menu.
RunEnd runEndOf(bool practice, const Result<RunRecorded>& recorded);

} // namespace zanfolio
