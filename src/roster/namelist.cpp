#include "roster/namelist.h"

#include "frame/datafiles.h"
#include "roster/grades.h"
#include "roster/namerows.h"
#include "roster/rosterfile.h"

#include <algorithm>
#include <vector>

namespace zanfolio {

namespace {

Error buildError(const QString& step, const Error& cause) {
    Error e = cause;
    e.endsProgram = true;
    e.message = QStringLiteral("名簿表示 %1\n%2\n(エラー番号 %3)")
                    .arg(step, cause.message, QString::number(cause.code));
    return e;
}

Result<RosterFileContents> readWithRetries(const QString& path, Waiter& waiter) {
    int retries = 0; // BuildRetries
    for (;;) {
        Result<RosterFileContents> contents = readRosterFile(path);
        if (contents)
            return contents;
        const bool waited = waiter.wait(kRosterRetryMs);
        ++retries;
        if (!waited || retries >= kRosterTries)
            return buildError(QStringLiteral("3"), contents.error());
    }
}

} // namespace

Result<NameList> 名簿表示(RosterTables& roster, const Installation& installation,
                          const PupilStatistics& stats, const NameListRequest& request,
                          const Clock& clock, Waiter& waiter, const StatisticsPass& statistics) {
    // Step 1.
    roster.SchoolYear =
        schoolYearOf(clock.now().date(), int(installation.SchoolYearStartMonth.toNumber()));
    // Step 1.5.
    if (statistics) {
        Status done = statistics();
        if (!done)
            return done.error();
    }
    // Step 3.
    Result<RosterFileContents> contents = readWithRetries(rosterFile(installation), waiter);
    if (!contents)
        return contents.error();

    NameList list;
    list.skippedLines = contents->skippedLines;
    list.skippedLineNumbers = contents->skippedLineNumbers;
    const bool listStatus2 = installation.ListStatus2Setting.toNumber() == 1.0;
    std::vector<NameRow> rows;
    int p = 0;
    for (size_t i = 0; i < contents->lines.size(); ++i) {
        const RosterRecord& line = contents->lines[i];
        const bool listed = line.Status == 0 || (line.Status == 2 && listStatus2);
        if (listed && p >= kMaxListedPupils) {
            // The tables hold no more; the installations stopped with an error here.
            ++list.skippedLines;
            list.skippedLineNumbers.push_back(contents->lineNumbers[i]);
            continue;
        }
        ++p;
        roster.RosterRecords[size_t(p)] = line;
        const size_t k = size_t(line.Index);
        roster.RosterNames[k] = line.Name;
        roster.RosterBirthYears[k] = line.BirthYear;
        roster.RosterIndexByLine[size_t(p)] = line.Index;
        const int g = gradeNumber(roster.SchoolYear, line.BirthYear);
        if (hasGradeLabel(g))
            roster.RosterGradeLabels[k] = gradeLabel(g);
        if (!listed) {
            --p;
            continue;
        }
        // Steps 5 and 4.
        rows.push_back(makeNameRow(line.Index, line.BirthYear, roster.SchoolYear,
                                   trimSpaces(line.Name), request.displayMode,
                                   pupilFigures(stats, line.Index)));
    }
    roster.RosterListedCount = p;
    std::sort(list.skippedLineNumbers.begin(), list.skippedLineNumbers.end());

    // Step 10.
    sortNameRows(rows);
    list.visibleRows << kNoPupilRow;
    for (const NameRow& row : rows) {
        list.sortTexts << row.sortText;
        if (passesNameListGroup(request.gradeGroup, row.grade)) {
            list.visibleRows << row.visibleRow;
            list.companionTexts << row.companionText;
        }
    }
    return list;
}

} // namespace zanfolio
