#pragma once
// The program definition: everything particular to this drill (title, level names, the
// number of levels offered). The rest of the system does not depend on the kind of problem.

#include "frame/sharedstate.h"

namespace zanfolio {

// ProgramTitle "Zanfolio", TeacherPrintButton 0, AllLevelsOpen 1.
void SetProgramTitle(SharedState& state);

// Fills the level list: LevelCount 5, TargetLevel 5, the 24 level names with LevelPresent 1.
// (The form side, showing the results menu, belongs to the screens.)
void DefineLevelTables(SharedState& state);

// A level whose name contains "練": its runs are neither recorded nor evaluated.
bool isPracticeLevel(const SharedState& state, int level);

} // namespace zanfolio
