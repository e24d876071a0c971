#include "tools/datacommands.h"

#include "frame/datafiles.h"
#include "frame/daycount.h"
#include "frame/programdefinition.h"
#include "results/recordrun.h"
#include "results/resultsfile.h"
#include "results/statistics.h"
#include "startup/configuration.h"
#include "tools/commandcontext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <memory>
#include <optional>

namespace zanfolio {

namespace {

const char* const kUsage =
    "使い方: zanfolio-data --program-dir DIR [--now YYYY-MM-DDTHH:MM:SS] COMMAND\n"
    "  dump                                    every record as CSV\n"
    "  check                                   count, torn tail, records out of range\n"
    "  append --pupil P --level L --seconds T  append one run\n"
    "  delete --record N                       remove record N\n"
    "  stats --pupil N                         the statistics pass for pupil N, as JSON\n"
    "  roster [--mode 0..3] [--group TEXT]     the rows of the name list\n"
    "  ranking --level L --kind time|total|today --pupil P [--group TEXT]\n"
    "  runs --view today|all|personal --pupil P [--window 1..5] [--mode time|points] [--group "
    "TEXT]\n"
    "  mistakes --pupil N [--days D]           pupil N's mistakes of the last D days (30), as "
    "JSON\n";

struct Options {
    QString programDir;
    QString now;
    QString command;
    std::map<QString, QString> values; // --name value pairs after the command
};

std::optional<Options> parse(const QStringList& args, QTextStream& err) {
    Options o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a.startsWith(QStringLiteral("--"))) {
            if (i + 1 >= args.size()) {
                err << "引数 " << a << " に値がありません。\n";
                return std::nullopt;
            }
            const QString value = args[++i];
            if (a == QStringLiteral("--program-dir"))
                o.programDir = value;
            else if (a == QStringLiteral("--now"))
                o.now = value;
            else
                o.values[a.mid(2)] = value;
        } else if (o.command.isEmpty()) {
            o.command = a;
        } else {
            err << "余分な引数です: " << a << "\n";
            return std::nullopt;
        }
    }
    if (o.programDir.isEmpty() || o.command.isEmpty()) {
        err << kUsage;
        return std::nullopt;
    }
    return o;
}

QString dateText(double days) {
    return dateFromDayCount(days).toString(QStringLiteral("yyyy-MM-dd"));
}
QString timeText(double fraction) {
    return timeFromDayFraction(fraction).toString(QStringLiteral("HH:mm:ss"));
}

int dump(ResultsFile& file, QTextStream& out, QTextStream& err) {
    Result<ResultsTail> tail = file.readTail(0);
    if (!tail) {
        err << tail.error().message << "\n";
        return kExitUsage;
    }
    out << "record,date,time,pupil,level,seconds,school\n";
    int number = tail->firstRecordNumber;
    for (const ResultsRecord& r : tail->records) {
        out << number++ << ',' << dateText(r.date) << ',' << timeText(r.timeOfDay) << ',' << r.pupil
            << ',' << r.level << ',' << r.time << ',' << r.schoolCodeText().trimmed() << '\n';
    }
    return 0;
}

int check(ResultsFile& file, const Clock& clock, QTextStream& out, QTextStream& err) {
    Result<ResultsTail> tail = file.readTail(0);
    if (!tail) {
        err << tail.error().message << "\n";
        return kExitUsage;
    }
    const double today = dayCount(clock.now().date());
    out << "records: " << tail->recordCount << "\n";
    out << "partial bytes: " << tail->partialBytes << "\n";
    int problems = tail->partialBytes != 0 ? 1 : 0;
    int number = tail->firstRecordNumber;
    for (const ResultsRecord& r : tail->records) {
        QStringList faults;
        if (!isValidLevel(r.level))
            faults << QStringLiteral("level %1").arg(r.level);
        if (!isValidPupil(r.pupil))
            faults << QStringLiteral("pupil %1").arg(r.pupil);
        if (!(r.date >= 0) || r.date > today)
            faults << QStringLiteral("date %1").arg(r.date);
        if (!faults.isEmpty()) {
            ++problems;
            out << "record " << number << ": " << faults.join(QStringLiteral(", ")) << "\n";
        }
        ++number;
    }
    return problems == 0 ? 0 : 1;
}

QJsonObject levelStats(const PupilStatistics& t, int level, int pupil) {
    QJsonObject o;
    o.insert(QStringLiteral("level"), level);
    o.insert(QStringLiteral("total_runs"), t.TotalRunCounts(level, pupil));
    o.insert(QStringLiteral("total_points"), t.TotalPoints(level, pupil));
    o.insert(QStringLiteral("window_runs"), t.WindowRunCounts(level, pupil));
    o.insert(QStringLiteral("window_points"), t.WindowPoints(level, pupil));
    o.insert(QStringLiteral("overuse_runs"), t.OveruseRunCounts(level, pupil));
    o.insert(QStringLiteral("overuse_points"), t.OverusePoints(level, pupil));
    o.insert(QStringLiteral("today_runs"), t.TodayRunCounts(level, pupil));
    o.insert(QStringLiteral("today_points"), t.TodayPoints(level, pupil));
    o.insert(QStringLiteral("best"), t.PersonalBestTimes(level, pupil));
    return o;
}

} // namespace

std::optional<QString> CommandContext::option(const char* name) const {
    auto it = values.find(QString::fromUtf8(name));
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

std::optional<int> CommandContext::intOption(const char* name, QTextStream& err, int lo,
                                             int hi) const {
    const std::optional<QString> text = option(name);
    if (!text) {
        err << "--" << name << " が必要です。\n";
        return std::nullopt;
    }
    bool ok = false;
    const int v = text->toInt(&ok);
    if (!ok || v < lo || v > hi) {
        err << "--" << name << " の値が正しくありません: " << *text << "（" << lo << "〜" << hi
            << "）\n";
        return std::nullopt;
    }
    return v;
}

std::optional<int> CommandContext::intOptionOr(const char* name, int fallback, QTextStream& err,
                                               int lo, int hi) const {
    if (!option(name))
        return fallback;
    return intOption(name, err, lo, hi);
}

int runDataCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    std::optional<Options> o = parse(arguments, err);
    if (!o)
        return kExitUsage;

    std::unique_ptr<Clock> clock;
    if (o->now.isEmpty()) {
        clock = std::make_unique<SystemClock>();
    } else {
        const QDateTime moment = QDateTime::fromString(o->now, Qt::ISODate);
        if (!moment.isValid()) {
            err << "--now の日時が正しくありません: " << o->now << "（例: 2026-12-09T10:30:00）\n";
            return kExitUsage;
        }
        clock = std::make_unique<FixedClock>(moment);
    }

    auto state = std::make_unique<ToolState>();
    Status configured = LoadConfiguration(state->startUpParts(), o->programDir, *clock);
    if (!configured) {
        err << configured.error().message << "\n";
        return kExitUsage;
    }
    DefineLevelTables(state->program);

    // Another computer holding the file: a few seconds of patience, then a clear failure.
    SleepingWaiter waiter(30);
    ResultsFile file(resultsFile(state->installation), waiter);

    CommandContext context{*state, file, *clock, waiter, o->values};
    const QString& c = o->command;
    if (c == QStringLiteral("dump"))
        return dump(file, out, err);
    if (c == QStringLiteral("check"))
        return check(file, *clock, out, err);
    if (c == QStringLiteral("append")) {
        const std::optional<int> pupil = context.intOption("pupil", err, 1, kMaxPupil);
        const std::optional<int> level = context.intOption("level", err, 1, kMaxLevel);
        const std::optional<int> seconds = context.intOption("seconds", err, 0, kNoTime);
        if (!pupil || !level || !seconds)
            return kExitUsage;
        Status done = AppendResultsRecord(
            RunToRecord{*pupil, *level, *seconds, state->installation.SchoolCode}, file, *clock);
        if (!done) {
            err << done.error().message << "\n";
            return kExitUsage;
        }
        return 0;
    }
    if (c == QStringLiteral("delete")) {
        const std::optional<int> record = context.intOption("record", err, 1, 1 << 30);
        if (!record)
            return kExitUsage;
        Status done = file.remove(*record);
        if (!done) {
            err << done.error().message << "\n";
            return kExitUsage;
        }
        return 0;
    }
    if (c == QStringLiteral("stats")) {
        const std::optional<int> pupil = context.intOption("pupil", err, 0, kMaxPupil);
        if (!pupil)
            return kExitUsage;
        Status done = ComputePupilStatistics(state->Stats, state->Criteria, file, *clock);
        if (!done) {
            err << done.error().message << "\n";
            return kExitUsage;
        }
        QJsonObject root;
        root.insert(QStringLiteral("loaded"), state->Stats.LoadedCount);
        root.insert(QStringLiteral("skipped"), state->Stats.SkippedCount);
        QJsonArray overall;
        for (int level = 0; level <= kMaxLevel; ++level)
            overall.append(state->Stats.OverallBestTimes[size_t(level)]);
        root.insert(QStringLiteral("overall_best"), overall);
        QJsonArray levels;
        for (int level = 1; level <= kMaxLevel; ++level)
            levels.append(levelStats(state->Stats, level, *pupil));
        root.insert(QStringLiteral("levels"), levels);
        out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact)) << "\n";
        return 0;
    }
    if (c == QStringLiteral("roster"))
        return rosterCommand(context, out, err);
    if (c == QStringLiteral("ranking"))
        return rankingCommand(context, out, err);
    if (c == QStringLiteral("runs"))
        return runsCommand(context, out, err);
    if (c == QStringLiteral("mistakes"))
        return mistakesCommand(context, out, err);
    err << "知らないコマンドです: " << c << "\n" << kUsage;
    return kExitUsage;
}

} // namespace zanfolio
