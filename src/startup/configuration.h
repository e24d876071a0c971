#pragma once
// The configuration load: from the program's own folder to the folders, the two settings
// files ("パスデータ.txt" beside the program's folder, "共通データ.txt" in the data root), the
// season colour, the program title and the level criteria; with the sound table, everything
// the program reads before its first screen. The folder layout is in frame/datafiles.h.

#include "frame/clock.h"
#include "frame/installation.h"
#include "frame/programdefinition.h"
#include "frame/result.h"
#include "results/criteria.h"
#include "sound/soundtable.h"

#include <QString>

namespace zanfolio {

// What the start-up fills before the first screen.
struct StartUpParts {
    Installation& installation;
    ProgramDefinition& program;
    CriteriaTable& criteria;
    SoundList& sound;
};

// Splits the school line: when the first five characters have a numeric value other than 0
// they are the school code and the rest is the name; otherwise all of it is the name.
void splitSchoolLine(const QString& line, Untyped* code, QString* name);

// Resolves the folders from `programDir` (the executable's folder; "\" or "/" separated),
// reads both settings files, sets the season colour from `clock`, calls SetProgramTitle and
// loads the criteria (the sound list stays as it is). A missing or short file gives an error
// naming it; the parts are then
// only partly filled and the program must end after the message.
// `criteriaReport`, when given, receives what the criteria load found.
Status LoadConfiguration(const StartUpParts& state, const QString& programDir, const Clock& clock,
                         CriteriaLoadReport* criteriaReport = nullptr);

// What the teacher must hear about the criteria of the levels offered to pupils (practice
// levels aside): a level without its line in the file, or whose 目標Time or 最低Time is not a
// positive number (it would never time out, and its first run would clear it), and lines the
// tables cannot hold. A Japanese message naming the file and the levels; empty when all is well.
QString criteriaWarning(const QString& criteriaPath, const CriteriaTable& table,
                        const CriteriaLoadReport& report);

// The start-up's loads in order: LoadConfiguration, then the sound table (LoadSoundTable).
// The first failure is returned; the program must then end after its message. Otherwise the
// result is the criteria warning to show before the program goes on (empty when none).
Result<QString> LoadStartUpFiles(const StartUpParts& state, const QString& programDir,
                                 const Clock& clock);

} // namespace zanfolio
