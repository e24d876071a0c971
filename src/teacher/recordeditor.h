#pragma once
// The records browser's edit panel (Picture3 of FrmData) without the form: the values it
// shows for a record, and the reading of its time box and pupil chooser for "変更して記録".

#include "frame/result.h"
#include "results/resultsrecord.h"
#include "teacher/recordlist.h"

#include <QString>

namespace zanfolio {

// The scroll bar VScroll1 runs from 0 (top) to 6000 seconds (bottom).
inline constexpr int kTimeScrollMaximum = 6000;

struct RecordEditorValues {
    QString Label1;    // the record number
    QString levelText; // Label2 item 1: "ﾚﾍﾞﾙ" and the level
    QString dateText;  // Label2 item 2: the short date
    QString gradeText; // Label2 item 4: the pupil's grade label, trimmed
    QString Text1;     // the time in seconds, as recorded (99999 for a time-out)
    // The time, held to the bar's range: a time-out or a run over 6000 s puts the bar at its
    // end while the time box keeps the real value, which is what a change writes back unless
    // the teacher edits it.
    int VScroll1 = 0;
    QString Combo1; // the chooser: the pupil's index, " /  ", the name
};

RecordEditorValues recordEditorValues(int number, const ResultsRecord& record,
                                      const RecordListContext& context);

// The time box: the number at the start of its text, rounded to the nearest whole number with
// halves to the even one; text that does not begin with a number gives 0. A number that does
// not fit the record's 32-bit field is an error.
Result<int> parseTimeBox(const QString& text);

// The pupil chooser: the number at the start of the text in front of its first "/", rounded
// the same way (0 when that part does not begin with a number, as typed text may). A text
// without "/" names no pupil and is an error ("生徒を選んでください。"), and so is a number that
// does not fit the record's 16-bit field.
Result<int> parseChosenPupil(const QString& text);

// Record `asRead` with the time and pupil of the panel; every other field as read, so the
// rewrite gives back the rest of the record byte for byte.
Result<ResultsRecord> changedRecord(const ResultsRecord& asRead, const QString& timeBox,
                                    const QString& chooser);

} // namespace zanfolio
