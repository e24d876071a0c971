#include "menu/mistakefigures.h"

#include "frame/daycount.h"
#include "menu/gradegroups.h"

#include <algorithm>
#include <array>

namespace zanfolio {

namespace {

size_t indexOf(MistakeKind kind) {
    return size_t(std::find(kMistakeKinds.begin(), kMistakeKinds.end(), kind) -
                  kMistakeKinds.begin());
}

} // namespace

QString mistakeExample(const MistakeRecord& r) {
    const QString typed = r.typed.isEmpty() ? QStringLiteral("（空欄）") : r.typed;
    return r.first + u' ' + r.sign + u' ' + r.second + QStringLiteral(" → ") + typed;
}

bool inMistakeWindow(const MistakeRecord& r, const QDateTime& now, int days) {
    // No days: every mistake, whatever its date.
    return days <= 0 || inDayWindow(dayCount(r.date), presentMoment(now), days);
}

std::vector<KindFigure> pupilMistakeFigures(const std::vector<MistakeRecord>& records, int pupil,
                                            const QDateTime& now, int days) {
    std::vector<size_t> mine;
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].pupil == pupil && inMistakeWindow(records[i], now, days))
            mine.push_back(i);
    // The most recent first; at one moment, the one written later.
    std::stable_sort(mine.begin(), mine.end(), [&](size_t a, size_t b) {
        const MistakeRecord& x = records[a];
        const MistakeRecord& y = records[b];
        if (x.date != y.date)
            return x.date > y.date;
        if (x.time != y.time)
            return x.time > y.time;
        return a > b;
    });
    std::vector<KindFigure> out;
    for (MistakeKind kind : kMistakeKinds)
        out.push_back(KindFigure{kind, 0, {}});
    for (size_t i : mine) {
        KindFigure& f = out[indexOf(records[i].kind)];
        ++f.count;
        if (f.examples.size() < kMistakeExamples)
            f.examples << mistakeExample(records[i]);
    }
    return out;
}

std::vector<KindCount> rankedKinds(const std::vector<MistakeRecord>& records,
                                   const std::function<bool(const MistakeRecord&)>& counted) {
    std::array<int, kMistakeKinds.size()> counts{};
    for (const MistakeRecord& r : records)
        if (counted(r))
            ++counts[indexOf(r.kind)];
    std::vector<KindCount> out;
    for (size_t i = 0; i < kMistakeKinds.size(); ++i)
        if (counts[i] > 0)
            out.push_back(KindCount{kMistakeKinds[i], counts[i]});
    std::stable_sort(out.begin(), out.end(),
                     [](const KindCount& a, const KindCount& b) { return a.count > b.count; });
    return out;
}

std::vector<LevelKinds> groupMistakeFigures(const std::vector<MistakeRecord>& records,
                                            const std::function<bool(int pupil)>& inGroup,
                                            const QDateTime& now, int days, int levelCount) {
    std::vector<LevelKinds> out;
    for (int level = 1; level <= levelCount; ++level)
        out.push_back(LevelKinds{level, rankedKinds(records, [&](const MistakeRecord& r) {
                                     return r.level == level && inMistakeWindow(r, now, days) &&
                                            inGroup(r.pupil);
                                 })});
    return out;
}

std::function<bool(int pupil)> gradeGroupMembers(const RosterTables& roster,
                                                 const QString& groupText) {
    return [&roster, groupText](int pupil) {
        return isValidPupil(pupil) && passesGradeGroup(groupText, pupilGradeNumber(roster, pupil));
    };
}

QString mistakeTrendLine(const std::vector<KindCount>& kinds) {
    QStringList parts;
    for (const KindCount& k : kinds)
        parts << QStringLiteral("%1 %2回").arg(mistakeKindLabel(k.kind)).arg(k.count);
    return QStringLiteral("間違いの傾向：") +
           (parts.isEmpty() ? QStringLiteral("なし") : parts.join(u'、'));
}

QString pupilMistakeTrendLine(const std::vector<MistakeRecord>& records, int pupil, int level,
                              const QDateTime& now, int days) {
    return mistakeTrendLine(rankedKinds(records, [&](const MistakeRecord& r) {
        return r.pupil == pupil && r.level == level && inMistakeWindow(r, now, days);
    }));
}

} // namespace zanfolio
