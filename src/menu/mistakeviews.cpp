#include "menu/mistakeviews.h"

#include "frame/daycount.h"
#include "frame/programdefinition.h"
#include "menu/datewindow.h"
#include "menu/menulabels.h"
#include "menu/mistakefigures.h"
#include "menu/textparts.h"
#include "results/diagnosis.h"
#include "results/mistakesfile.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace zanfolio {

namespace {

QString windowName(int choice) {
    const QStringList entries = mistakeWindowEntries();
    const int i =
        choice >= 1 && choice <= entries.size() ? choice - 1 : kDefaultDateWindowChoice - 1;
    return entries.at(i);
}

QString timesText(int count) {
    return QStringLiteral("%1回").arg(count);
}

// A share of a whole in per cent, to the nearest whole (halves up).
int percentOf(int part, int whole) {
    return whole > 0 ? int(std::floor(100.0 * part / whole + 0.5)) : 0;
}

} // namespace

QStringList mistakeWindowEntries() {
    return {QStringLiteral("今週"), QStringLiteral("先週から"), QStringLiteral("最近１ヶ月"),
            QStringLiteral("最近１年"), QStringLiteral("今まで")};
}

int mistakeWindowDays(int choice, const QDate& today) {
    if (choice == kUntilNowMistakes)
        return 0;
    return DateWindowDays(choice, weekdayFromSunday(today));
}

Status WindowedMistakes::cover(const QString& path, Waiter& waiter, const QDate& firstDate) {
    const bool held = from_ && (!from_->isValid() || (firstDate.isValid() && firstDate >= *from_));
    if (held)
        return Ok{};
    Result<MistakesRead> read = readMistakesSince(path, waiter, firstDate);
    if (!read) {
        clear();
        return read.error();
    }
    records_ = std::move(read->records);
    from_ = firstDate;
    bytesRead_ += read->bytesRead;
    return Ok{};
}

void WindowedMistakes::clear() {
    records_.clear();
    from_.reset();
}

QDate mistakeWindowFirstDate(int choice, const QDate& today) {
    const int days = mistakeWindowDays(choice, today);
    return days <= 0 ? QDate() : today.addDays(-(days - 1));
}

PupilMistakesView pupilMistakesView(const RosterTables& roster,
                                    const std::vector<MistakeRecord>& records, int pupil,
                                    const QDateTime& now, int windowChoice) {
    PupilMistakesView view;
    const QString name =
        isValidPupil(pupil) ? trimmedSpaces(roster.RosterNames[size_t(pupil)]) : QString();
    // A teacher entry (山田先生) is named as it stands.
    const QString honorific = IsTeacherName(name) ? QString() : QStringLiteral("さん");
    view.heading = name + honorific + u'（' + windowName(windowChoice) + u'）';

    std::vector<KindFigure> figures =
        pupilMistakeFigures(records, pupil, now, mistakeWindowDays(windowChoice, now.date()));
    std::stable_sort(figures.begin(), figures.end(),
                     [](const KindFigure& a, const KindFigure& b) { return a.count > b.count; });
    int total = 0;
    QStringList absent;
    for (const KindFigure& f : figures) {
        total += f.count;
        if (f.count == 0)
            absent << mistakeKindLabel(f.kind);
        else
            view.kinds.push_back({mistakeKindLabel(f.kind), timesText(f.count), f.examples});
    }
    if (total == 0) {
        view.total = QStringLiteral("この期間の間違いはありません");
        return view;
    }
    view.total = QStringLiteral("全レベルの間違い ") + timesText(total);
    if (!absent.isEmpty())
        view.absent = QStringLiteral("なし：") + absent.join(u'、');
    return view;
}

ClassMistakesView classMistakesView(const ProgramDefinition& program, const RosterTables& roster,
                                    const std::vector<MistakeRecord>& records,
                                    const QString& groupText, const QDateTime& now,
                                    int windowChoice) {
    ClassMistakesView view;
    view.heading = QStringLiteral("間違いの傾向　") + groupText + QStringLiteral("（") +
                   windowName(windowChoice) + u'）';
    const int days = mistakeWindowDays(windowChoice, now.date());
    const int levels = std::clamp(program.LevelCount, 0, kMaxLevel);
    const std::function<bool(int)> inGroup = gradeGroupMembers(roster, groupText);
    const std::vector<LevelKinds> figures =
        groupMistakeFigures(records, inGroup, now, days, levels);

    // Who made them, per level: the figures count mistakes, not pupils.
    std::vector<std::set<int>> pupils(size_t(levels) + 1);
    for (const MistakeRecord& r : records)
        if (r.level >= 1 && r.level <= levels && inMistakeWindow(r, now, days) && inGroup(r.pupil))
            pupils[size_t(r.level)].insert(r.pupil);

    for (const LevelKinds& level : figures) {
        if (isPracticeLevel(program, level.level))
            continue;
        ClassMistakesRow row;
        row.level = level.level;
        row.levelText =
            QString::number(level.level) + u' ' + program.LevelNames[size_t(level.level)];
        int total = 0;
        for (const KindCount& k : level.kinds)
            total += k.count;
        if (total == 0) {
            row.total = QStringLiteral("－");
            row.pupils = QStringLiteral("－");
            view.rows.push_back(row);
            continue;
        }
        row.total = timesText(total);
        row.pupils = QStringLiteral("%1人").arg(pupils[size_t(level.level)].size());
        for (size_t i = 0; i < level.kinds.size(); ++i) {
            const KindCount& k = level.kinds[i];
            if (i < size_t(kClassViewKinds))
                row.top << QStringLiteral("%1\n%2（%3％）")
                               .arg(mistakeKindLabel(k.kind), timesText(k.count))
                               .arg(percentOf(k.count, total));
            else
                row.rest << mistakeKindLabel(k.kind) + u' ' + timesText(k.count);
        }
        view.rows.push_back(row);
    }
    return view;
}

namespace {

bool inAnswerWindow(const AnswerRecord& a, const QDateTime& now, int days) {
    return days <= 0 || inDayWindow(dayCount(a.date), presentMoment(now), days);
}

QString tallyText(const KindTally& t) {
    return QStringLiteral("%1/%2").arg(t.shown).arg(t.opportunities);
}

// Most consistent first: by share, then by count.
bool moreConsistent(const KindTally& a, const KindTally& b) {
    const qint64 left = qint64(a.shown) * b.opportunities;
    const qint64 right = qint64(b.shown) * a.opportunities;
    return left != right ? left > right : a.shown > b.shown;
}

} // namespace

std::vector<ClassSystematicRow> classSystematicView(const ProgramDefinition& program,
                                                    const RosterTables& roster,
                                                    const std::vector<AnswerRecord>& answers,
                                                    const QString& groupText, const QDateTime& now,
                                                    int windowChoice) {
    const int days = mistakeWindowDays(windowChoice, now.date());
    const int levels = std::clamp(program.LevelCount, 0, kMaxLevel);
    const std::function<bool(int)> inGroup = gradeGroupMembers(roster, groupText);
    Diagnosis diagnosis;
    for (const AnswerRecord& a : answers)
        if (a.level >= 1 && a.level <= levels && inAnswerWindow(a, now, days) && inGroup(a.pupil))
            diagnosis.add(a.asAnswered());

    // (level, misconception) → the pupils for whom it is systematic.
    std::map<std::pair<int, size_t>, std::vector<std::pair<int, KindTally>>> found;
    for (const auto& [pupil, level] : diagnosis.pupilLevels()) {
        const Tallies tallies = diagnosis.tallies(pupil, level);
        for (size_t k = 0; k < kMisconceptions.size(); ++k)
            if (verdictOf(tallies[k]) == Verdict::Systematic)
                found[{level, k}].push_back({pupil, tallies[k]});
    }
    std::vector<ClassSystematicRow> rows;
    for (int level = 1; level <= levels; ++level) {
        if (isPracticeLevel(program, level))
            continue;
        ClassSystematicRow row;
        row.level = level;
        row.levelText = QString::number(level) + u' ' + program.LevelNames[size_t(level)];
        for (size_t k = 0; k < kMisconceptions.size(); ++k) {
            auto at = found.find({level, k});
            if (at == found.end())
                continue;
            std::vector<std::pair<int, KindTally>>& pupils = at->second;
            std::stable_sort(pupils.begin(), pupils.end(), [](const auto& a, const auto& b) {
                return moreConsistent(a.second, b.second);
            });
            QStringList named;
            for (const auto& [pupil, tally] : pupils) {
                const QString name = isValidPupil(pupil)
                                         ? trimmedSpaces(roster.RosterNames[size_t(pupil)])
                                         : QString::number(pupil);
                named << name + u' ' + tallyText(tally);
            }
            row.kinds << mistakeKindLabel(kMisconceptions[k]) + u'：' + named.join(u'、');
        }
        if (!row.kinds.isEmpty())
            rows.push_back(row);
    }
    return rows;
}

std::vector<std::pair<int, MistakeKind>>
pupilSystematicAims(const std::vector<AnswerRecord>& answers, int pupil, const QDateTime& now,
                    int windowChoice) {
    const int days = mistakeWindowDays(windowChoice, now.date());
    Diagnosis diagnosis;
    for (const AnswerRecord& a : answers)
        if (a.pupil == pupil && inAnswerWindow(a, now, days))
            diagnosis.add(a.asAnswered());
    std::vector<std::pair<int, MistakeKind>> aims;
    for (const auto& [who, level] : diagnosis.pupilLevels())
        for (MistakeKind kind : diagnosis.systematicKinds(who, level))
            aims.push_back({level, kind});
    return aims;
}

QStringList pupilDiagnosisLines(const std::vector<AnswerRecord>& answers, int pupil,
                                const QDateTime& now, int windowChoice) {
    const int days = mistakeWindowDays(windowChoice, now.date());
    Diagnosis diagnosis;
    for (const AnswerRecord& a : answers)
        if (a.pupil == pupil && inAnswerWindow(a, now, days))
            diagnosis.add(a.asAnswered());
    const Tallies tallies = diagnosis.tallies(pupil);
    std::vector<size_t> order(kMisconceptions.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return moreConsistent(tallies[a], tallies[b]); });
    QStringList systematic;
    QStringList nowAndThen;
    for (size_t k : order) {
        const QString part = mistakeKindLabel(kMisconceptions[k]) + u' ' + tallyText(tallies[k]);
        switch (verdictOf(tallies[k])) {
        case Verdict::Systematic:
            systematic << part;
            break;
        case Verdict::Now:
            nowAndThen << part;
            break;
        case Verdict::None:
            break;
        }
    }
    QStringList lines;
    if (!systematic.isEmpty())
        lines << verdictLabel(Verdict::Systematic) + u'：' + systematic.join(u'、');
    if (!nowAndThen.isEmpty())
        lines << verdictLabel(Verdict::Now) + u'：' + nowAndThen.join(u'、');
    return lines;
}

} // namespace zanfolio
