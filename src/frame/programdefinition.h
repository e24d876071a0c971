#pragma once
// The program definition: everything particular to this drill (title, level names, the
// number of levels offered). The rest of the system does not depend on the kind of problem.

#include "frame/sharedstate.h"

namespace zanfolio {

// ProgramTitle "Zanfolio", TeacherPrintButton 0, AllLevelsOpen 1.
void SetProgramTitle(SharedState& state);

// The levels offered to pupils: 1..kOfferedLevelCount.
inline constexpr int kOfferedLevelCount = 5;
// The name of level k of the definition (1..24; empty elsewhere).
QString definedLevelName(int level);
// Whether level k of the definition is a practice level (its name contains "練").
bool isPracticeLevelName(const QString& name);

// Fills the level list: LevelCount 5, TargetLevel 5, the 24 level names with LevelPresent 1.
// (The form side, showing the results menu, belongs to the screens.)
void DefineLevelTables(SharedState& state);

// A level whose name contains "練": its runs are neither recorded nor evaluated.
bool isPracticeLevel(const SharedState& state, int level);

} // namespace zanfolio
