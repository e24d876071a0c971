#pragma once
// The program definition: everything particular to this drill (title, level names, the
// number of levels offered). The rest of the system does not depend on the kind of problem.

#include "frame/levels.h"
#include "frame/untyped.h"

#include <QString>
#include <cstdint>

namespace zanfolio {

// What the definition sets at start-up; the screens read it.
struct ProgramDefinition {
    QString ProgramTitle;
    Untyped TeacherPrintButton;
    Untyped AllLevelsOpen;
    LevelTable<QString> LevelNames{};
    LevelTable<int16_t> LevelPresent{};
    int LevelCount = 0;
    Untyped TargetLevel;
};

// ProgramTitle "Zanfolio", TeacherPrintButton 0, AllLevelsOpen 1.
void SetProgramTitle(ProgramDefinition& program);

// The levels offered to pupils: 1..kOfferedLevelCount.
inline constexpr int kOfferedLevelCount = 5;
// The name of level k of the definition (1..24; empty elsewhere).
QString definedLevelName(int level);
// Whether level k of the definition is a practice level (its name contains "練").
bool isPracticeLevelName(const QString& name);

// Fills the level list: LevelCount 5, TargetLevel 5, the 24 level names with LevelPresent 1.
// (The form side, showing the results menu, belongs to the screens.)
void DefineLevelTables(ProgramDefinition& program);

// A level whose name contains "練": its runs are neither recorded nor evaluated.
bool isPracticeLevel(const ProgramDefinition& program, int level);

} // namespace zanfolio
