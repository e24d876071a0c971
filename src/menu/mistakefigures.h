#pragma once
// What the teacher sees of the mistakes with decimals (the records of the mistakes file,
// results/mistakesfile.h): for one pupil, how often each kind of mistake came up lately and
// the last examples of it; for a grade group, the kinds made most at each level; and the
// one-line summary per level on the printed chart sheet.
//
// Windows of days are the menu's: a window of N days holds the mistakes dated today and the
// N − 1 days before (date > now − N, the time of day aside); zero or no days hold nothing.

#include "results/mistakerecord.h"
#include "roster/rostertables.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zanfolio {

inline constexpr int kMistakeExamples = 2;

// "0.07 ＋ 3 → 0.1": the problem as the drill showed it and the answer as typed ("（空欄）"
// for an empty answer).
QString mistakeExample(const MistakeRecord& record);

// Dated within the window of `days` days (today and the days before); days 0 or less: every
// date ("今まで").
bool inMistakeWindow(const MistakeRecord& record, const QDateTime& now, int days);

struct KindFigure {
    MistakeKind kind = MistakeKind::Other;
    int count = 0;
    QStringList examples; // the most recent first (later in the file first at one moment)
};

// One pupil's mistakes within the window: every kind in the order of kMistakeKinds, with its
// count (0 included) and at most kMistakeExamples examples.
std::vector<KindFigure> pupilMistakeFigures(const std::vector<MistakeRecord>& records, int pupil,
                                            const QDateTime& now, int days);

struct KindCount {
    MistakeKind kind = MistakeKind::Other;
    int count = 0;
    friend bool operator==(const KindCount&, const KindCount&) = default;
};

// The kinds that came up, most first; equal counts in the order of kMistakeKinds.
std::vector<KindCount> rankedKinds(const std::vector<MistakeRecord>& records,
                                   const std::function<bool(const MistakeRecord&)>& counted);

struct LevelKinds {
    int level = 0;
    std::vector<KindCount> kinds; // rankedKinds of the level; empty without mistakes
};

// For the pupils that `inGroup` takes, every level from 1 to `levelCount`: the kinds of the
// mistakes made within the window, most first.
std::vector<LevelKinds> groupMistakeFigures(const std::vector<MistakeRecord>& records,
                                            const std::function<bool(int pupil)>& inGroup,
                                            const QDateTime& now, int days, int levelCount);

// The members of the grade group that the grade-group box names, as the menu's lists take
// them (menu/gradegroups.h), from the roster tables of the name list builder; the function
// reads `roster` when called, so it must not outlive it.
std::function<bool(int pupil)> gradeGroupMembers(const RosterTables& roster,
                                                 const QString& groupText);

// The chart sheet's line: "間違いの傾向：小数点の位置 4回、位取り 2回", every kind that came
// up, most first; "間違いの傾向：なし" without mistakes.
QString mistakeTrendLine(const std::vector<KindCount>& kinds);

// The chart sheet's line for one pupil and level within the window.
QString pupilMistakeTrendLine(const std::vector<MistakeRecord>& records, int pupil, int level,
                              const QDateTime& now, int days);

} // namespace zanfolio
