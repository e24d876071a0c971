#pragma once
// The teacher's views of the mistakes with decimals, as the screens show them: the box beside
// a pupil's chart (the personal view's "グラフ") and the class panel of the results menu
// ("間違いの傾向"). The figures come from menu/mistakefigures.h; here they become texts.
//
// Both views choose their window of days in a box of their own with the five choices of the
// menu's date-window box (DateWindowChoice 1..5 and their DateWindowDays on today's weekday,
// menu/datewindow.h): this week, since last week, one month, one year, until now. The box
// opens at the menu's choice (that of the all-runs view's Combo2, one month when the menu
// loads): the personal view has no window of its own, since its list covers ten years.

#include "frame/programdefinition.h"
#include "frame/result.h"
#include "frame/waiter.h"
#include "results/answerrecord.h"
#include "results/mistakerecord.h"
#include "roster/rostertables.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zanfolio {

// The kinds the class view names one by one for every level; the others share one cell.
inline constexpr int kClassViewKinds = 3;

// The window box's entries, entry i for DateWindowChoice i + 1.
QStringList mistakeWindowEntries();
// DateWindowDays of `choice` on `today`'s weekday (a choice outside 1..5: one month); 0 for
// "今まで", every mistake whatever its date.
inline constexpr int kUntilNowMistakes = 5;
int mistakeWindowDays(int choice, const QDate& today);
// The first day of the window (an invalid date for "今まで"): what is read of the file.
QDate mistakeWindowFirstDate(int choice, const QDate& today);

// The wrong answers a view holds: read back from the end of the mistakes file to the first day
// of its window, and read again only when a longer window is chosen.
class WindowedMistakes {
  public:
    // Makes sure the mistakes from `firstDate` on (an invalid date: all of them) are held,
    // reading the file when they are not.
    Status cover(const QString& path, Waiter& waiter, const QDate& firstDate);
    // Forgets what was read: the next cover reads afresh.
    void clear();
    const std::vector<MistakeRecord>& records() const { return records_; }
    qint64 bytesRead() const { return bytesRead_; }

  private:
    std::vector<MistakeRecord> records_;
    std::optional<QDate> from_; // what is held: from that day on (invalid: everything)
    qint64 bytesRead_ = 0;
};

struct MistakeKindLine {
    QString kind;         // "小数点の位置"
    QString count;        // "4回"
    QStringList examples; // "0.07 ＋ 3 → 0.1", at most two, the most recent first
};

struct PupilMistakesView {
    QString heading; // the pupil's name and the window: "佐藤蓮さん（最近１ヶ月）"
    QString total; // "全レベルの間違い 7回", or "この期間の間違いはありません"
    std::vector<MistakeKindLine> kinds; // the kinds that came up, most first (ties in kind order)
    QString absent; // "なし：ゼロ、逆算" the kinds that did not come up; empty when all did or
                    // none did
};

// One pupil's mistakes on every level within the window of `windowChoice`.
PupilMistakesView pupilMistakesView(const RosterTables& roster,
                                    const std::vector<MistakeRecord>& records, int pupil,
                                    const QDateTime& now, int windowChoice);

struct ClassMistakesRow {
    int level = 0;
    QString levelText; // "1 足し算１"
    QString total;     // "25回", or "－" without mistakes
    QString pupils;    // how many pupils made them: "6人", or "－"
    // The kinds made most, at most kClassViewKinds: "小数点の位置\n12回（48％）", the share
    // of the level's mistakes rounded to a whole per cent.
    QStringList top;
    QStringList rest; // the other kinds that came up, most first: "ゼロ 2回", "逆算 1回"
};

struct ClassMistakesView {
    QString heading;                    // "間違いの傾向　小３（最近１ヶ月）"
    std::vector<ClassMistakesRow> rows; // levels 1 to LevelCount, practice levels left out
};

// The mistakes of the pupils of the grade group `groupText` (the menu's Combo1, as its lists
// take it) within the window of `windowChoice`, level by level.
ClassMistakesView classMistakesView(const ProgramDefinition& program, const RosterTables& roster,
                                    const std::vector<MistakeRecord>& records,
                                    const QString& groupText, const QDateTime& now,
                                    int windowChoice);

// Who goes wrong the same way again and again (results/diagnosis.h), from the answers of the
// window: for each level, each misconception that is systematic (定着) for some pupils of the
// group, with those pupils, the most consistent first: "位取り：森大輝 5/7、佐藤蓮 4/6" (shown on
// 5 of 7 opportunities). Practice levels are left out; levels without one are not listed.
struct ClassSystematicRow {
    int level = 0;
    QString levelText; // "1 足し算１"
    QStringList kinds; // one line per misconception
};
std::vector<ClassSystematicRow> classSystematicView(const ProgramDefinition& program,
                                                    const RosterTables& roster,
                                                    const std::vector<AnswerRecord>& answers,
                                                    const QString& groupText, const QDateTime& now,
                                                    int windowChoice);

// The (level, misconception) pairs systematic for the pupil in the window, by level, each
// level's most shown first: what a worksheet can be aimed at.
std::vector<std::pair<int, MistakeKind>>
pupilSystematicAims(const std::vector<AnswerRecord>& answers, int pupil, const QDateTime& now,
                    int windowChoice);

// One pupil's verdicts over every level in the window: "定着：位取り 5/7" and "たまに：ゼロ 1/6,
// 小数点の位置 1/5" (each part only when it has kinds; none when the pupil has neither).
QStringList pupilDiagnosisLines(const std::vector<AnswerRecord>& answers, int pupil,
                                const QDateTime& now, int windowChoice);

} // namespace zanfolio
