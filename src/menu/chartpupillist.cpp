#include "menu/chartpupillist.h"

#include "frame/datafiles.h"
#include "frame/untyped.h"
#include "roster/grades.h"
#include "roster/rosterfile.h"

namespace zanfolio {

Result<QStringList> FillChartPupilList(RosterTables& tables, const Installation& installation,
                                       const Clock& clock) {
    Result<RosterFileContents> roster = readRosterFile(rosterFile(installation));
    if (!roster)
        return roster.error();
    const int schoolYear =
        schoolYearOf(clock.now().date(), int(installation.SchoolYearStartMonth.toNumber()));
    QStringList entries;
    for (const RosterRecord& line : roster->lines) {
        const size_t p = size_t(line.Index); // 0..5000, the reader leaves out the rest
        const QString name = trimSpaces(line.Name);
        tables.RosterNames[p] = name;
        tables.RosterBirthYears[p] = line.BirthYear;
        const int g = gradeNumber(schoolYear, line.BirthYear);
        if (hasGradeLabel(g))
            tables.RosterGradeLabels[p] = gradeLabel(g);
        if (line.Status == 0)
            entries << tables.RosterGradeLabels[p] + QStringLiteral(" /  ") + name +
                           QStringLiteral("/") + QString::number(line.Index);
    }
    return entries;
}

int chartListPupil(const QString& entry) {
    const qsizetype slash = entry.lastIndexOf(u'/');
    if (slash < 0)
        return 0;
    return int(leadingNumber(entry.mid(slash + 1)));
}

} // namespace zanfolio
