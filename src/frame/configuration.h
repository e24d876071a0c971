#pragma once
// The configuration load: from the program's own folder to the folders, the two settings
// files ("パスデータ.txt" beside the program's folder, "共通データ.txt" in the data root), the
// season colour, the program title and the level criteria.
//
// Folder layout:  <parent>/パスデータ.txt          item 1: the data root
//                 <parent>/<program folder>/       the executable
//                 <data root>/共通データ.txt, 新名簿.txt, 音フォルダ/
//                 <data root>/<program folder name>/タイム回数データ.txt, 成績累積データ.dat

#include "clock.h"
#include "result.h"
#include "sharedstate.h"

#include <QString>

namespace zanfolio {

// 0x00BBGGRR background colour for a month (1..12).
uint32_t seasonColourForMonth(int month);

// Splits the school line: when the first five characters have a numeric value other than 0
// they are the school code and the rest is the name; otherwise all of it is the name.
void splitSchoolLine(const QString& line, Untyped* code, QString* name);

// Resolves the folders from `programDir` (the executable's folder; "\" or "/" separated),
// reads both settings files, sets the season colour from `clock`, calls SetProgramTitle and
// loads the criteria. A missing or short file gives an error naming it; the state is then
// only partly filled and the program must end after the message.
Status LoadConfiguration(SharedState& state, const QString& programDir, const Clock& clock);

// The files the configuration names.
QString pathSettingsFile(const SharedState& state);   // "パスデータ.txt"
QString commonSettingsFile(const SharedState& state); // "共通データ.txt"
QString criteriaFile(const SharedState& state);       // "タイム回数データ.txt"
QString resultsFile(const SharedState& state);        // "成績累積データ.dat"
QString rosterFile(const SharedState& state);         // "新名簿.txt"

} // namespace zanfolio
