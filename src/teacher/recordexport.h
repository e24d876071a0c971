#pragma once
// The records as a CSV file for the browser's "ファイル化" ("後で加工して印刷できます"): UTF-8
// with a byte order mark (so that spreadsheet programs on Japanese Windows read the names
// right), CR LF line ends, the header line
//   record,date,time,pupil,name,level,seconds,school
// and one line per record whose level is not 0, in file order: the record number, the short
// date "2004/05/06", the time of day "10:30:00", the roster index, the pupil's name, the
// level, the run time in seconds (99999 for a time-out) and the record's school code as
// stored (empty when it has none). Fields holding a comma, a quote or a line break are quoted.

#include "results/resultsfile.h"
#include "teacher/recordlist.h"

#include <QByteArray>

namespace zanfolio {

QByteArray recordsCsv(const ResultsTail& tail, const RecordListContext& context);

} // namespace zanfolio
