#include "menu/chartranking.h"

#include "frame/untyped.h"
#include "menu/textparts.h"

namespace zanfolio {

namespace {

// The first line of `lines` that belongs to the pupil, or nullptr.
const QString* pupilLine(const QStringList& lines, const QString& rosterName) {
    if (trimmedSpaces(rosterName).isEmpty())
        return nullptr;
    const QString field = rankingNameField(rosterName);
    for (const QString& line : lines) {
        if (line.contains(field))
            return &line;
    }
    return nullptr;
}

} // namespace

int chartLinePoints(const QString& line) {
    return int(leadingNumber(line.right(5)));
}

ChartRankTexts ChartRankings(const RosterTables& roster, const PupilStatistics& stats, int signedIn,
                             int level, int pupil, const QString& groupText,
                             RankingKind pointsKind) {
    ChartRankTexts out;
    if (!isValidLevel(level))
        return out;
    const QString name = isValidPupil(pupil) ? roster.RosterNames[size_t(pupil)] : QString();

    if (pointsKind == RankingKind::Time)
        pointsKind = RankingKind::TotalPoints;
    out.pointsLines =
        RankLevel(roster, stats, signedIn, level, pointsKind, groupText, RankStyle::Chart).lines;
    for (const QString& line : out.pointsLines) {
        const int v = chartLinePoints(line);
        if (v > 0) {
            out.schoolPointPupils += 1;
            out.schoolPointSum += v;
        }
    }
    if (const QString* line = pupilLine(out.pointsLines, name)) {
        out.pointsRankText = line->left(3);
        out.pupilPoints = chartLinePoints(*line);
    }

    out.timeLines =
        RankLevel(roster, stats, signedIn, level, RankingKind::Time, groupText, RankStyle::Chart)
            .lines;
    if (const QString* line = pupilLine(out.timeLines, name))
        out.timeRankText = line->left(3);
    return out;
}

} // namespace zanfolio
