#pragma once
// The printed worksheet aimed at one wrong way of working ("弱点プリント"): on the first page
// the pupil's name, the level, the way of working named in plain words with what to mind, and
// twenty problems on which that way goes wrong (drill/worksheet.h), each written in column form
// (the points one above the other, as the drill's column layout shows them) with room to work
// below; on the second page the answers, for the teacher.

#include "drill/problem.h"
#include "frame/forms/sheetprinter.h"
#include "frame/programdefinition.h"
#include "frame/random.h"
#include "frame/result.h"
#include "results/mistakerecord.h"
#include "roster/rostertables.h"

#include <QDate>
#include <QString>
#include <vector>

class QPainter;

namespace zanfolio {

inline constexpr char16_t kWorksheetName[] = u"弱点プリント";

struct Worksheet {
    QString name;      // the pupil's name, as the roster has it
    QString levelText; // "レベル1　足し算１"
    MistakeKind kind = MistakeKind::PlaceAlignment;
    QDate date;
    std::vector<Problem> problems;
};

// The worksheet of `pupil` for `level` and `kind`: twenty problems drawn with `random`.
Worksheet makeWorksheet(const ProgramDefinition& program, const RosterTables& roster, int pupil,
                        int level, MistakeKind kind, const QDate& date, RandomSource& random);

// Page 0 (the problems) or 1 (the answers), drawn in the painter's window of 2100 × 2970 (tenths
// of a millimetre on A4).
void paintWorksheetPage(QPainter& painter, const Worksheet& sheet, int page);

// One print job of two pages for `pupil`.
Status printWorksheet(const Worksheet& sheet, int pupil, SheetPrinterPort& port);

} // namespace zanfolio
