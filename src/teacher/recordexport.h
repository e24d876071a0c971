#pragma once
// The records as a CSV file for the browser's "ファイル化" ("後で加工して印刷できます"), made for
// a spreadsheet: UTF-8 with a byte order mark (so that spreadsheet programs on Japanese Windows
// read the names right), CR LF line ends, the heading line
//   レコード番号,日付,時刻,生徒番号,名前,学年,レベル,レベル名,秒,結果,ポイント,塾,塾コード
// and one line per record whose level is not 0, in file order: the record number, the short
// date "2004/05/06", the time of day "10:30:00", the roster index, the pupil's name and grade
// label, the level's number and name, the run time in seconds (empty for a time-out, 90000 or
// more), 結果 "時間切れ" or "完了", the run's points as the statistics count them (the level's
// criteria, multiplier applied), the school as the list shows it (this school's name, or
// "他塾") and the record's school code as stored, leading zeros intact (empty without one).
//
// Text cells are written by csvTextField (frame/csvtext.h): quoted when they hold a comma, a
// quote or a line break, and guarded by an apostrophe when a spreadsheet would take them for
// a formula.

#include "frame/csvtext.h"
#include "results/criteria.h"
#include "results/resultsfile.h"
#include "teacher/recordlist.h"

#include <QByteArray>

namespace zanfolio {

QByteArray recordsCsv(const ResultsTail& tail, const RecordListContext& context,
                      const LevelTable<QString>& levelNames, const CriteriaTable& criteria);

} // namespace zanfolio
