#pragma once
// The files of an installation, from the folders the configuration load has set in the
// installation:
//                 <parent>/パスデータ.txt          item 1: the data root
//                 <parent>/<program folder>/       the executable
//                 <data root>/共通データ.txt, 新名簿.txt, 音フォルダ/
//                 <data root>/<program folder name>/タイム回数データ.txt, 成績累積データ.dat,
//                                                   誤答記録.csv, 解答記録.csv

#include <QString>
#include <cstdint>

namespace zanfolio {

struct Installation;

QString pathSettingsFile(const Installation& installation);   // "パスデータ.txt"
QString commonSettingsFile(const Installation& installation); // "共通データ.txt"
QString criteriaFile(const Installation& installation);       // "タイム回数データ.txt"
QString resultsFile(const Installation& installation);        // "成績累積データ.dat"
QString rosterFile(const Installation& installation);         // "新名簿.txt"
QString mistakesFile(const Installation& installation);       // "誤答記録.csv"
QString answersFile(const Installation& installation);        // "解答記録.csv"

// Runs kept on this computer for the results file (see results/pendingruns.h):
// PendingDir & "未記録の成績-" & 8 hexadecimal digits naming the results file & ".dat".
QString pendingRunsFile(const Installation& installation);
// Mistakes kept on this computer for the mistakes file (see results/pendingmistakes.h):
// PendingDir & "未記録の誤答-" & 8 hexadecimal digits naming the mistakes file & ".csv".
QString mistakesPendingFile(const Installation& installation);
// Answers kept on this computer for the answers file: PendingDir & "未記録の解答-" &
// 8 hexadecimal digits naming the answers file & ".csv".
QString answersPendingFile(const Installation& installation);
// The user's local application data: "%LOCALAPPDATA%\Zanfolio\" on Windows,
// "~/.local/share/Zanfolio/" on Linux.
QString defaultPendingDir();

// 0x00BBGGRR background colour of the screens for a month (1..12).
uint32_t seasonColourForMonth(int month);

} // namespace zanfolio
