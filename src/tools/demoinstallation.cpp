#include "tools/demoinstallation.h"

#include "drill/answerentry.h"
#include "drill/misconceptions.h"
#include "drill/mistakekind.h"
#include "drill/problem.h"
#include "drill/runinprogress.h"
#include "frame/cp932.h"
#include "frame/daycount.h"
#include "frame/platformfile.h"
#include "frame/random.h"
#include "frame/waiter.h"
#include "results/answersfile.h"
#include "results/mistakesfile.h"
#include "results/recordrun.h"
#include "results/resultsrecord.h"
#include "roster/grades.h"
#include "roster/session.h"
#include "sound/tones/demosounds.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <memory>
#include <random>

namespace zanfolio {

namespace {

// The drill's state for the runs the demonstration plays.
struct DrillState {
    Session session;
    RunInProgress run;
    RunOutcome outcome;
};

struct DemoPupil {
    int number;
    const char* name;
    int grade; // G: 0 the last kindergarten year, 1 the first primary year ...
    int status;
};

// Numbers as a school hands them out: not in order of age, with gaps.
const DemoPupil kPupils[] = {
    {1, "山田先生", 20, 0},    {3, "青木ゆい", -1, 0},   {4, "石田そら", 0, 0},
    {5, "上野けん", 0, 0},     {8, "伊藤花", 1, 0},      {9, "加藤陽太", 1, 0},
    {10, "木村凛", 2, 0},      {12, "小林大和", 2, 0},   {13, "斎藤結衣", 3, 0},
    {14, "佐藤蓮", 3, 0},      {15, "清水葵", 3, 0},     {16, "鈴木湊", 4, 0},
    {17, "高橋陽菜", 4, 0},    {18, "田中悠真", 5, 0},   {20, "中村咲良", 5, 0},
    {21, "西村樹", 6, 0},      {22, "林美咲", 6, 0},     {23, "藤田颯", 6, 0},
    {25, "松本芽依", 7, 0},    {26, "森大輝", 7, 0},     {27, "山口莉子", 8, 0},
    {28, "山本翔", 8, 0},      {30, "吉田心", 9, 0},     {31, "渡辺拓海", 9, 0},
    {33, "井上さくら", 10, 0}, {34, "岡田直樹", 11, 0},  {35, "後藤真央", 12, 0},
    {40, "休会中太郎", 5, 1},  {41, "体験中花子", 4, 2}, {42, "近藤ひかり", 2, 0},
};

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

Status writeLines(const QString& path, const QStringList& lines) {
    QDir().mkpath(QFileInfo(nativePath(path)).absolutePath());
    return writeCp932Lines(path, lines);
}

// The way each pupil goes wrong most, by roster number.
constexpr MistakeKind kHabits[] = {
    MistakeKind::PointPosition, MistakeKind::PlaceAlignment,    MistakeKind::Zero,
    MistakeKind::CarryOrBorrow, MistakeKind::ReversedOperation, MistakeKind::Typo};
// How often each kind comes up besides a pupil's own, in the order of kMistakeKinds.
constexpr int kKindWeights[] = {3, 3, 2, 2, 3, 3, 1, 1};
// A timed-out run lasted this long (the demo's minimum lines times five, about).
constexpr int kTimedOutSeconds = 300;

int placesOf(const QString& text) {
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? 0 : int(text.size() - point - 1);
}

// The digits of a number's text as one whole number: 0.07 → 7, 10.3 → 103.
qint64 digitsOf(const QString& text) {
    QString digits = text;
    digits.remove(u'.');
    return digits.toLongLong();
}

int pick(std::mt19937& random, int n) {
    return int(random() % unsigned(n));
}

// An answer to `p` typed with a mistake of `kind` in mind; the classifier has the last word.
QString slip(const Problem& p, MistakeKind kind, std::mt19937& random) {
    const QString a = p.rowTexts[0];
    const QString b = p.rowTexts[1];
    const QString c = Text(p.answer);
    const bool subtract = p.sign == QStringLiteral("－");
    switch (kind) {
    case MistakeKind::PlaceAlignment: {
        const qint64 x = digitsOf(a);
        const qint64 y = digitsOf(b);
        const qint64 r = subtract ? std::max(x, y) - std::min(x, y) : x + y;
        return Text(Decimal::fromScaled(r, -placesOf(pick(random, 2) ? a : b)));
    }
    case MistakeKind::PointPosition:
        if (pick(random, 2) == 0 && p.answer.units() % 10 == 0)
            return Text(Decimal::fromUnits(p.answer.units() / 10));
        return Text(Decimal::fromUnits(p.answer.units() * 10));
    case MistakeKind::Zero: {
        const qsizetype point = c.indexOf(u'.');
        QString typed = c;
        return typed.insert(point < 0 ? 1 : point + 1, u'0');
    }
    case MistakeKind::ReversedOperation:
        if (subtract)
            return Text(p.first + p.second);
        return Text(p.first > p.second ? p.first - p.second : p.second - p.first);
    case MistakeKind::CarryOrBorrow: {
        // A carry forgotten or a borrow not taken off: one off in a column the sum carries
        // into or the difference borrows from, wherever that is.
        std::vector<QString> candidates;
        for (const qint64 step : {100, 1000, 10000, 100000})
            for (const int sign : {1, -1}) {
                const qint64 units = p.answer.units() + sign * step;
                const QString typed = Text(Decimal::fromUnits(units));
                if (units > 0 && classifyMistake(ProblemNumbers::of(p), typed) == kind)
                    candidates.push_back(typed);
            }
        return candidates.empty() ? c + u'1'
                                  : candidates[size_t(pick(random, int(candidates.size())))];
    }
    case MistakeKind::Typo: {
        QString typed = c;
        const qsizetype last = typed.size() - 1;
        const int digit = typed[last].unicode() - u'0';
        typed[last] = QChar(u'0' + (digit + 1 + pick(random, 8)) % 10);
        return typed;
    }
    case MistakeKind::NoInput:
        return QString();
    case MistakeKind::Other:
        break;
    }
    return Text(p.answer + Decimal::fromUnits(1000 * (13 + pick(random, 50))));
}

// The answer as the drill takes it: the first space adds the point, the second hands it in,
// so every answer handed in has a point; at most eight characters.
QString asTyped(QString text) {
    if (!text.contains(u'.'))
        text += u'.';
    return text;
}

} // namespace

std::vector<MistakeRecord> demoMistakes(const std::vector<DemoRun>& runs, unsigned seed) {
    std::mt19937 random(seed);
    SystemRandom draws(seed);
    auto state = std::make_unique<DrillState>();
    state->run.TotalProblems = 10;
    std::discrete_distribution<int> otherKind(std::begin(kKindWeights), std::end(kKindWeights));
    std::vector<MistakeRecord> out;
    for (const DemoRun& run : runs) {
        const bool timedOut = run.seconds >= kNoTime;
        // A careful pupil or a quick run: fewer slips.
        int slips = pick(random, 2 + run.pupil % 3);
        if (timedOut)
            slips += 2;
        else if (run.seconds > 60)
            slips += 1;
        if (slips == 0)
            continue;
        const int duration = timedOut ? kTimedOutSeconds : run.seconds;
        const QTime start = run.end.addSecs(-duration);
        state->session.CurrentStudent = run.pupil;
        state->session.CurrentLevel = run.level;
        for (int i = 0; i < slips; ++i) {
            const MistakeKind wanted = pick(random, 2) == 0
                                           ? kHabits[size_t(run.pupil) % std::size(kHabits)]
                                           : kMistakeKinds[size_t(otherKind(random))];
            // A problem that leaves room for the mistake, or the last one tried.
            std::optional<MistakeRecord> made;
            for (int tries = 0; tries < 6 && !(made && made->kind == wanted); ++tries) {
                const std::optional<Problem> problem =
                    問題作成表示(state->run, state->outcome, state->session.CurrentLevel, draws);
                if (!problem)
                    break;
                const QString typed = asTyped(slip(*problem, wanted, random));
                if (typed.size() > kMaxInputLength || answerMatches(typed, problem->answer))
                    continue;
                const QTime at = start.addSecs(duration * (i + 1) / (slips + 1));
                made = makeMistakeRecord(state->session, *problem, typed, QDateTime(run.date, at));
            }
            if (made)
                out.push_back(*made);
        }
    }
    return out;
}

DemoAnswers demoAnswers(const std::vector<DemoRun>& runs,
                        const std::vector<MistakeRecord>& mistakes, unsigned seed) {
    std::mt19937 random(seed);
    SystemRandom draws(seed);
    auto state = std::make_unique<DrillState>();
    state->run.TotalProblems = 10;
    DemoAnswers out;
    size_t next = 0; // the first mistake not yet placed in a run
    for (const DemoRun& run : runs) {
        const bool timedOut = run.seconds >= kNoTime;
        const int duration = timedOut ? kTimedOutSeconds : run.seconds;
        const QTime start = run.end.addSecs(-duration);
        state->session.CurrentStudent = run.pupil;
        state->session.CurrentLevel = run.level;
        state->run.CorrectCount = 0;
        // The run's own wrong answers: demoMistakes lays them out run by run.
        std::vector<MistakeRecord> wrong;
        while (next < mistakes.size() && mistakes[next].pupil == run.pupil &&
               mistakes[next].level == run.level && mistakes[next].date == run.date &&
               mistakes[next].time >= start && mistakes[next].time <= run.end)
            wrong.push_back(mistakes[next++]);
        // Problems as the drill draws them; the systematic pupil's way of working shows on
        // most of those where it goes wrong.
        struct Handed {
            std::optional<MistakeRecord> mistake;
            Problem problem;
            QString typed;
            bool correct;
        };
        std::vector<Handed> handed;
        int needed = 10 + int(wrong.size());
        for (int tries = 0; needed > 0 && tries < 200; ++tries) {
            const std::optional<Problem> p =
                問題作成表示(state->run, state->outcome, state->session.CurrentLevel, draws);
            if (!p)
                break;
            const ProblemNumbers numbers = ProblemNumbers::of(*p);
            if (run.pupil == kSystematicDemoPupil &&
                isOpportunity(MistakeKind::PlaceAlignment, numbers) && pick(random, 4) != 0) {
                const QString typed =
                    asTyped(Text(misconceivedAnswer(MistakeKind::PlaceAlignment, numbers)));
                if (typed.size() <= kMaxInputLength && !answerMatches(typed, p->answer)) {
                    handed.push_back({std::nullopt, *p, typed, false});
                    ++needed;
                    continue;
                }
            }
            handed.push_back({std::nullopt, *p, asTyped(Text(p->answer)), true});
            --needed;
        }
        // The slips of the mistakes file go in among them, at their own moments.
        const int count = int(handed.size() + wrong.size());
        std::vector<std::pair<QTime, AnswerRecord>> timed;
        std::vector<MistakeRecord> runMistakes = wrong;
        for (int i = 0; i < int(handed.size()); ++i) {
            const QTime at = start.addSecs(duration * (i + 1) / (int(handed.size()) + 1));
            const QDateTime when(run.date, at);
            const Handed& h = handed[size_t(i)];
            timed.push_back({at, makeAnswerRecord(state->session, h.problem, h.typed, h.correct,
                                                  when, qint64(duration) * 1000 / count, false)});
            if (!h.correct)
                runMistakes.push_back(makeMistakeRecord(state->session, h.problem, h.typed, when));
        }
        for (const MistakeRecord& m : wrong) {
            const ProblemNumbers numbers{leadingDecimal(m.first).value, m.sign,
                                         leadingDecimal(m.second).value,
                                         leadingDecimal(m.answer).value};
            AnswerRecord a;
            a.date = m.date;
            a.time = m.time;
            a.pupil = m.pupil;
            a.level = m.level;
            a.first = m.first;
            a.sign = m.sign;
            a.second = m.second;
            a.answer = m.answer;
            a.typed = m.typed;
            a.tenthsOfSeconds = duration * 10 / count;
            a.kind = m.kind;
            a.opportunities = opportunitiesOf(numbers);
            a.shown = misconceptionsShownBy(numbers, m.typed);
            timed.push_back({m.time, a});
        }
        std::stable_sort(timed.begin(), timed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [at, a] : timed)
            out.answers.push_back(std::move(a));
        std::stable_sort(
            runMistakes.begin(), runMistakes.end(),
            [](const MistakeRecord& a, const MistakeRecord& b) { return a.time < b.time; });
        out.mistakes.insert(out.mistakes.end(), runMistakes.begin(), runMistakes.end());
    }
    // Mistakes of no run (none are made so) are kept as they are.
    out.mistakes.insert(out.mistakes.end(), mistakes.begin() + qsizetype(next), mistakes.end());
    return out;
}

Status writeDemoInstallation(const DemoSettings& s) {
    const QString root = QDir(s.root).absolutePath() + u'/';
    const QString data = root + QStringLiteral("data/");
    const QString programData = data + QStringLiteral("calc/");
    QDir().mkpath(root + QStringLiteral("calc"));
    QDir().mkpath(programData);

    Status st = writeLines(root + QStringLiteral("パスデータ.txt"),
                           {quoted(data), QStringLiteral("0,0,0,0,0,0,0,0,0")});
    if (!st)
        return st;
    // Start month 4 (April), school code 00123, pupils of status 2 listed too.
    st = writeLines(data + QStringLiteral("共通データ.txt"),
                    {QStringLiteral("4"), quoted(QStringLiteral("00123さくら算数教室")),
                     QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                     quoted(s.password), QStringLiteral("0"), QStringLiteral("0"),
                     QStringLiteral("0"), QStringLiteral("0")});
    if (!st)
        return st;

    const QDate today = s.now.date();
    const int schoolYear = schoolYearOf(today, 4);
    QStringList roster;
    for (const DemoPupil& p : kPupils) {
        const int birthYear = schoolYear - 6 - p.grade;
        roster << QStringLiteral("%1,%2,0,0,%3,%4,\"\",\"\"")
                      .arg(p.number)
                      .arg(birthYear)
                      .arg(quoted(QString::fromUtf8(p.name)))
                      .arg(p.status);
    }
    st = writeLines(data + QStringLiteral("新名簿.txt"), roster);
    if (!st)
        return st;

    st = writeLines(
        programData + QStringLiteral("タイム回数データ.txt"),
        {QStringLiteral("目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,"),
         QStringLiteral("40,60,30,3,1,10,,7,1,,,"), QStringLiteral("45,70,30,3,1,10,,7,1,,,"),
         QStringLiteral("60,90,40,3,1.2,10,,7,1,,,"), QStringLiteral("70,100,40,3,1.2,10,,7,1,,,"),
         QStringLiteral("80,120,50,5,1.5,,,14,1,,,")});
    if (!st)
        return st;

    st = writeDemoSounds(data + QStringLiteral("音フォルダ/"));
    if (!st)
        return st;

    // A few weeks of runs: each listed pupil practises some days, faster as the days go by,
    // in the afternoon; today's runs all end before the moment the history is laid out (an
    // hour or two before it when that is earlier than the afternoon, none before 02:00).
    std::mt19937 random(s.seed);
    const int standard[6] = {0, 40, 45, 60, 70, 80};
    std::vector<ResultsRecord> recorded;
    std::vector<DemoRun> history;
    const QTime latest = s.now.time().addSecs(-120);
    for (int day = s.historyDays; day >= 0; --day) {
        const QDate date = today.addDays(-day);
        for (const DemoPupil& p : kPupils) {
            if (p.status != 0 || p.grade > 12 || p.grade < 0 || random() % 3 == 0)
                continue;
            const int runs = 1 + int(random() % 3);
            for (int i = 0; i < runs; ++i) {
                const int level = 1 + int(random() % 5);
                const double skill =
                    1.6 - 0.03 * (s.historyDays - day) - 0.04 * std::min(p.grade, 9);
                int time = int(standard[level] * skill + int(random() % 25)) - 10;
                if (random() % 40 == 0)
                    time = 99999; // a run that timed out
                QTime end(15 + i, int(random() % 60), int(random() % 60));
                if (day == 0 && end > latest) {
                    const int back = (runs - i) * 1200 + int(random() % 600);
                    if (latest < QTime(2, 0))
                        continue;
                    end = latest.addSecs(-back);
                }
                ResultsRecord r;
                r.date = dayCount(date);
                r.timeOfDay = dayFraction(end);
                r.pupil = int16_t(p.number);
                r.level = int16_t(level);
                r.time = std::max(time, 12);
                r.schoolCode = ResultsRecord::textField(QStringLiteral("00123"));
                recorded.push_back(r);
                history.push_back({date, end, r.time, p.number, level});
            }
        }
    }
    // Appended as the computers would have: in the order the runs ended.
    const auto byEnd = [](const auto& a, const auto& b) { return a.first < b.first; };
    std::vector<std::pair<std::pair<double, double>, size_t>> order;
    for (size_t i = 0; i < recorded.size(); ++i)
        order.push_back({{recorded[i].date, recorded[i].timeOfDay}, i});
    std::stable_sort(order.begin(), order.end(), byEnd);
    QByteArray records;
    std::vector<DemoRun> ended;
    for (const auto& [when, i] : order) {
        records += recorded[i].encode();
        ended.push_back(history[i]);
    }
    history = std::move(ended);
    st = replaceFileAtomically(programData + QStringLiteral("成績累積データ.dat"), records);
    if (!st)
        return st;

    // The runs' wrong answers, in a mistakes file of their own.
    const QString mistakes = programData + QStringLiteral("誤答記録.csv");
    if (fileExists(mistakes) && !(st = removeFile(mistakes)))
        return st;
    SleepingWaiter waiter(1);
    const DemoAnswers answered =
        demoAnswers(history, demoMistakes(history, s.seed + 1), s.seed + 2);
    st = appendMistakes(mistakes, answered.mistakes, waiter);
    if (!st)
        return st;
    // Every answer of the runs, for the diagnosis of wrong ways of working.
    const QString answers = programData + QStringLiteral("解答記録.csv");
    if (fileExists(answers) && !(st = removeFile(answers)))
        return st;
    st = appendAnswers(answers, answered.answers, waiter);
    if (!st)
        return st;

    // The launcher the program returns to: a stand-in that says how it was started.
    const QString launcherDir = root + QStringLiteral("起動/");
    QDir().mkpath(launcherDir);
    const QString launcher = launcherDir + QStringLiteral("プログラムメニューc.exe");
    QFile script(launcher);
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return makeError(launcher, QStringLiteral("「%1」を書けません。").arg(launcher));
    script.write(
        "#!/bin/sh\n"
        "# Stand-in for the school's program menu: records how it was started.\n"
        "log=\"$(dirname \"$0\")/launcher.log\"\n"
        "echo \"$(date '+%F %T') started with: $*\" >> \"$log\"\n"
        "if command -v xmessage >/dev/null 2>&1 && [ -n \"$DISPLAY\" ]; then\n"
        "  xmessage -center -timeout 10 \"Program menu (stand-in) started with argument: $*\" &\n"
        "fi\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    return Ok{};
}

} // namespace zanfolio
