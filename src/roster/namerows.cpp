#include "roster/namerows.h"

#include "roster/grades.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

namespace zanfolio {

namespace {

const QChar kIdeographicSpace(char16_t(0x3000));

// The last `width` characters of `spaces` & n, as the installations right-aligned numbers.
QString rightAligned(int64_t n, int spaces, int width) {
    return (QString(spaces, u' ') + QString::number(n)).right(width);
}

} // namespace

PupilFigures pupilFigures(const PupilStatistics& stats, int pupil) {
    PupilFigures f;
    for (int level = 1; level <= kMaxLevel; ++level) {
        f.runsToday += stats.TodayRunCounts(level, pupil);
        f.pointsToday += stats.TodayPoints(level, pupil);
        f.runsSoFar += stats.TotalRunCounts(level, pupil);
        f.pointsSoFar += stats.TotalPoints(level, pupil);
    }
    return f;
}

QString runsTodayText(int64_t n) {
    return n != 0 ? rightAligned(n, 2, 3) + QStringLiteral("回") : QString(5, u' ');
}

QString pointsTodayText(int64_t n) {
    return n != 0 ? rightAligned(n, 3, 4) : QString(2, u' ') + kIdeographicSpace;
}

QString runsSoFarText(int64_t n) {
    return n != 0 ? rightAligned(n, 6, 5) + QStringLiteral("回")
                  : QString(5, u' ') + kIdeographicSpace;
}

QString pointsSoFarText(int64_t n) {
    return n != 0 ? rightAligned(n, 6, 7) : QString(7, u' ');
}

FigureTexts figureTexts(int displayMode, const PupilFigures& f) {
    switch (displayMode) {
    case kRunsTodayAndSoFar:
        return {runsTodayText(f.runsToday), runsSoFarText(f.runsSoFar)};
    case kPointsTodayAndSoFar:
        return {pointsTodayText(f.pointsToday), pointsSoFarText(f.pointsSoFar)};
    case kTodayPointsAndRuns:
        return {pointsTodayText(f.pointsToday), runsTodayText(f.runsToday)};
    case kSoFarPointsAndRuns:
        return {pointsSoFarText(f.pointsSoFar), runsSoFarText(f.runsSoFar)};
    default:
        return {};
    }
}

int paddingWidth(int displayMode, bool kindergarten) {
    return kindergarten && displayMode != kPointsTodayAndSoFar ? 11 : 9;
}

NameRow makeNameRow(int pupil, int birthYear, int schoolYear, const QString& trimmedName,
                    int displayMode, const PupilFigures& figures) {
    NameRow row;
    row.pupil = pupil;
    row.birthYear = birthYear;
    row.grade = gradeNumber(schoolYear, birthYear);

    QString name = trimmedName;
    name.replace(u'*', QChar(char16_t(0xFF0A)));
    const QString head = listGradeCode(row.grade) + u' ' + name;
    const qsizetype padding =
        std::max<qsizetype>(0, paddingWidth(displayMode, isKindergarten(row.grade)) - head.size());
    const FigureTexts f = figureTexts(displayMode, figures);

    row.visibleRow = head + QString(padding, kIdeographicSpace) + f.first + u'/' + f.second;
    row.companionText = row.visibleRow + u'*' + QString::number(pupil);
    // The form's sorted list compared whole texts; a birth year of four digits makes that an
    // order by age. The row texts are built from the parts rather than cut from this text, so
    // that a birth year of another length cannot cut into the code or the name.
    row.sortText = QString::number(birthYear) + row.companionText;
    return row;
}

void sortNameRows(std::vector<NameRow>& rows) {
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // QCollator::compare, not sort keys: Qt 6.4's Windows sort key keeps the bytes of
    // LCMapString's key in a QString and compares them as 16-bit units, with half of it
    // uninitialised, which puts "Beta" after the kana and shuffles equal names.
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return collator.compare(rows[a].sortText, rows[b].sortText) < 0;
    });
    std::vector<NameRow> sorted;
    sorted.reserve(rows.size());
    for (size_t i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

} // namespace zanfolio
