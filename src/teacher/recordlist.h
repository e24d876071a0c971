#pragma once
// The records browser's list (`BuildRecordList` of FrmData without the form): one line per
// record whose level is not 0, in file order, and the record count label.
//
// A line for record r holds, run together: r right-aligned in 4, " ", the short date, "　",
// the time of day right-aligned in 9, "ﾚﾍﾞﾙ" and the level, "　", the seconds right-aligned
// in 5, "秒 ", "　", the pupil's roster index right-aligned in 4, " ", the name padded with
// full-width spaces and cut to 6, " ", the grade label, "++", and the school name when the
// record's school code is this school's, else "他塾".
//
// Numbers are padded to their width but never cut: record 12345 stays 12345 (cutting it to
// its last four digits would show, and let the teacher edit, another record's number).

#include "frame/result.h"
#include "frame/untyped.h"
#include "results/resultsfile.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

namespace zanfolio {

// What the lines need besides the records. The tables are indexed by roster index (names
// trimmed, grade labels for the current school year); an index outside them shows empty.
struct RecordListContext {
    QString schoolName;
    Untyped schoolCode; // empty: no record is this school's
    std::span<const QString> names;
    std::span<const QString> gradeLabels;

    QString nameOf(int pupil) const;
    QString gradeLabelOf(int pupil) const;
    // The record was written by this school: its 5-byte code field equals this school's code
    // as the record writer pads it. With no code of our own nothing matches.
    bool isOwnSchool(const ResultsRecord& record) const;

    // This school's code field as the record writer pads it, made at the first comparison (a
    // list of 25000 records would otherwise encode it 25000 times).
    mutable std::optional<Text5> ownCodeField{};
};

QString recordListLine(int number, const ResultsRecord& record, const RecordListContext& context);

// "総レコード数:" and the file length ÷ 44 as a decimal number, not rounded: 3 for a whole
// file, 2.27272727272727 for one with a torn last record (up to 15 significant digits, no
// exponent).
QString recordCountText(qint64 byteLength);

// The pupil chooser's item for a roster entry: the index, " /  ", the name.
QString chooserItem(int index, const QString& name);

struct RecordList {
    QStringList lines;
    std::vector<int> numbers; // the record number of each line
    QString countText;
};

RecordList recordList(const ResultsTail& tail, const RecordListContext& context);

// Reads the whole results file in one read. A read failure is returned for a message box;
// it does not end the program.
Result<RecordList> BuildRecordList(ResultsFile& file, const RecordListContext& context);

} // namespace zanfolio
