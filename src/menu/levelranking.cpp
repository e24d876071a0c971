#include "menu/levelranking.h"

#include "frame/programdefinition.h"
#include "menu/gradegroups.h"
#include "menu/sortbykey.h"
#include "menu/textparts.h"

#include <algorithm>
#include <vector>

namespace zanfolio {

namespace {

const QString kSixIdeographicSpaces = QStringLiteral("　　　　　　");

// Positions 1..n of the roster's listed pupils, as pupil numbers the tables can hold.
std::vector<int> listedPupils(const RosterTables& roster) {
    const int last =
        std::min<int>(roster.RosterListedCount, int(roster.RosterIndexByLine.size()) - 1);
    std::vector<int> pupils;
    pupils.reserve(size_t(std::max(last, 0)));
    for (int i = 1; i <= last; ++i) {
        const int p = roster.RosterIndexByLine[size_t(i)];
        if (p >= 0 && p <= kMaxPupil)
            pupils.push_back(p);
    }
    return pupils;
}

} // namespace

QString rankField(int rank, RankStyle style) {
    return style == RankStyle::Menu ? signedNumberText(rank).right(2)
                                    : lastChars(QStringLiteral("   "), signedNumberText(rank), 3);
}

namespace {

// Appends (trimmed name & six ideographic spaces), its first five characters.
void appendRankingNameField(QString& out, const QString& rosterName) {
    qsizetype end = rosterName.size();
    while (end > 0 && rosterName[end - 1] == u' ')
        --end;
    const qsizetype kept = std::min<qsizetype>(end, 5);
    out.append(QStringView(rosterName).left(kept));
    out.resize(out.size() + 5 - kept, kSixIdeographicSpaces.front());
}

} // namespace

QString rankingNameField(const QString& rosterName) {
    QString field;
    appendRankingNameField(field, rosterName);
    return field;
}

LevelRanking RankLevel(const RosterTables& roster, const PupilStatistics& stats, int signedIn,
                       int level, RankingKind kind, const QString& groupText, RankStyle style) {
    LevelRanking out;
    if (!isValidLevel(level))
        return out;
    const PupilStatistics& s = stats;
    std::vector<int> pupils = listedPupils(roster);
    const size_t n = pupils.size();

    // Time: the best time itself. Points: 1000000 − 1000 × P − Q, so that higher P comes
    // first and Q breaks ties; a Q of 1000 or more outweighs one point of P, as it always did.
    auto primary = [&](int p) -> int64_t {
        switch (kind) {
        case RankingKind::Time:
            return s.PersonalBestTimes(level, p);
        case RankingKind::TotalPoints:
            return s.TotalPoints(level, p);
        case RankingKind::TodayPoints:
            return s.TodayPoints(level, p);
        }
        return 0;
    };
    std::vector<int64_t> keys(n);
    for (size_t i = 0; i < n; ++i) {
        const int p = pupils[i];
        if (kind == RankingKind::Time) {
            keys[i] = s.PersonalBestTimes(level, p);
        } else {
            const int64_t secondary = kind == RankingKind::TotalPoints ? s.TodayPoints(level, p)
                                                                       : s.TotalPoints(level, p);
            keys[i] = 1000000 - 1000 * primary(p) - secondary;
        }
    }
    SortByKey(keys, pupils);
    out.lines.reserve(qsizetype(n));

    int rank = 0;
    int64_t previous = 0;
    for (size_t i = 0; i < n; ++i) {
        const int p = pupils[i];
        const int64_t compared = primary(p);
        if (i == 0 || compared != previous)
            rank = int(i) + 1;
        previous = compared;

        const int g = pupilGradeNumber(roster, p);
        if (!passesGradeGroup(groupText, g))
            continue;
        // Each line is built in one string: a school's ranking has thousands of them.
        QString line;
        line.reserve(24);
        if (kind == RankingKind::Time) {
            const int64_t k = compared;
            if (k == kNoTime)
                line += style == RankStyle::Menu ? QStringLiteral("--") : QStringLiteral("---");
            else
                line += rankField(rank, style);
            line += pupilMark(signedIn, p, g);
            appendRankingNameField(line, roster.RosterNames[size_t(p)]);
            if (k == kFailedTime)
                line += QStringLiteral("*失敗*");
            else if (k == kNoTime)
                line += QStringLiteral("------");
            else
                appendLastChars(line, signedNumberText(k), 6);
            line += u' ';
            line += pupilEndMark(signedIn, p);
        } else {
            const int today = s.TodayPoints(level, p);
            if (kind == RankingKind::TodayPoints && today == 0)
                continue;
            line += rankField(rank, style);
            line += pupilMark(signedIn, p, g);
            appendRankingNameField(line, roster.RosterNames[size_t(p)]);
            appendLastChars(line, QString::number(today), 3);
            line += u'/';
            appendLastChars(line, QString::number(s.TotalPoints(level, p)), 5);
        }
        out.lines << line;
    }

    for (qsizetype j = 0; j < out.lines.size(); ++j) {
        if (out.lines[j].contains(kCurrentPupilMark))
            out.scrollIndex = j > 0 ? std::optional<int>(int(j - 1)) : std::nullopt;
    }
    return out;
}

RankingView BuildRankingView(const ProgramDefinition& program, const RosterTables& roster,
                             const PupilStatistics& stats, int signedIn, RankingKind kind,
                             const QString& groupText) {
    RankingView view;
    switch (kind) {
    case RankingKind::Time:
        view.title = QStringLiteral("ベスト成績");
        break;
    case RankingKind::TotalPoints:
        view.title = QStringLiteral("獲得ポイント（今まで順位）");
        break;
    case RankingKind::TodayPoints:
        view.title = QStringLiteral("獲得ポイント（今日の順位）");
        break;
    }
    const int count = std::clamp(program.LevelCount, 0, kMaxLevel);
    for (int level = 1; level <= count; ++level) {
        RankingViewLevel& v = view.levels[size_t(level)];
        const bool practice = isPracticeLevel(program, level);
        v.listShown = !practice;
        if (kind != RankingKind::Time || !practice)
            v.ranking = RankLevel(roster, stats, signedIn, level, kind, groupText);
    }
    return view;
}

} // namespace zanfolio
