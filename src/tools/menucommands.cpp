// The results menu's lists at the command line, line for line as the menu shows them:
//
//   ranking --level L --kind time|total|today --pupil P [--group TEXT]
//   runs --view today|all|personal --pupil P [--window 1..5] [--mode time|points] [--group TEXT]
//
// P is the signed-in pupil of the menu (the "●" lines); the group is the grade-group box's text
// ("全学年" when absent). `runs` heads every level's block with "# level L"; the window defaults
// to 3 (one month, as the menu loads) and the mode to the time layout. Both commands first run
// the statistics pass and build the roster tables, as the menu has them when it becomes active.
// The list of a practice level stays hidden in the menu, so its lines are not printed.

#include "frame/datafiles.h"
#include "frame/platformfile.h"
#include "frame/programdefinition.h"
#include "menu/datewindow.h"
#include "menu/levelranking.h"
#include "menu/runlists.h"
#include "results/statistics.h"
#include "roster/namelist.h"
#include "tools/commandcontext.h"

namespace zanfolio {

namespace {

const QString kDefaultGroup = QStringLiteral("全学年");

// The statistics pass, then the roster tables (the name list builder reads "新名簿.txt").
bool prepareMenuTables(CommandContext& context, QTextStream& err) {
    // The program waits half a minute for a roster that is not there; a teacher at the
    // command line is told at once.
    const QString path = rosterFile(context.state.installation);
    if (!fileExists(path)) {
        err << "名簿ファイルがありません: " << path << "\n";
        return false;
    }
    NameListRequest request;
    Result<NameList> list =
        名簿表示(context.state.roster, context.state.installation, context.state.Stats, request,
                 context.clock, context.waiter, [&] {
                     return ComputePupilStatistics(context.state.Stats, context.state.Criteria,
                                                   context.file, context.clock);
                 });
    if (!list) {
        err << list.error().message << "\n";
        return false;
    }
    return true;
}

std::optional<QString> choice(CommandContext& context, const char* name, const QStringList& allowed,
                              const std::optional<QString>& fallback, QTextStream& err) {
    const std::optional<QString> value = context.option(name);
    if (!value) {
        if (fallback)
            return fallback;
        err << "--" << name << " が必要です（" << allowed.join(QStringLiteral("|")) << "）。\n";
        return std::nullopt;
    }
    if (!allowed.contains(*value)) {
        err << "--" << name << " の値が正しくありません: " << *value << "（"
            << allowed.join(QStringLiteral("|")) << "）\n";
        return std::nullopt;
    }
    return value;
}

} // namespace

int rankingCommand(CommandContext& context, QTextStream& out, QTextStream& err) {
    ToolState& state = context.state;
    const std::optional<int> level =
        context.intOption("level", err, 1, std::max(state.program.LevelCount, 1));
    const std::optional<QString> kind = choice(
        context, "kind", {QStringLiteral("time"), QStringLiteral("total"), QStringLiteral("today")},
        std::nullopt, err);
    const std::optional<int> pupil = context.intOption("pupil", err, 0, kMaxPupil);
    if (!level || !kind || !pupil)
        return kExitUsage;
    const QString group = context.option("group").value_or(kDefaultGroup);
    if (!prepareMenuTables(context, err))
        return kExitUsage;

    state.session.CurrentStudent = *pupil;
    const RankingKind k = *kind == QStringLiteral("time")    ? RankingKind::Time
                          : *kind == QStringLiteral("total") ? RankingKind::TotalPoints
                                                             : RankingKind::TodayPoints;
    if (isPracticeLevel(state.program, *level))
        return 0;
    for (const QString& line :
         RankLevel(state.roster, state.Stats, state.session.CurrentStudent, *level, k, group).lines)
        out << line << "\n";
    return 0;
}

int runsCommand(CommandContext& context, QTextStream& out, QTextStream& err) {
    ToolState& state = context.state;
    const std::optional<QString> view =
        choice(context, "view",
               {QStringLiteral("today"), QStringLiteral("all"), QStringLiteral("personal")},
               std::nullopt, err);
    const std::optional<int> pupil = context.intOption("pupil", err, 0, kMaxPupil);
    const std::optional<int> window =
        context.intOptionOr("window", kDefaultDateWindowChoice, err, 1, 5);
    const std::optional<QString> mode =
        choice(context, "mode", {QStringLiteral("time"), QStringLiteral("points")},
               QStringLiteral("time"), err);
    if (!view || !pupil || !window || !mode)
        return kExitUsage;
    if (!prepareMenuTables(context, err))
        return kExitUsage;

    state.session.CurrentStudent = *pupil;
    RunListRequest request;
    request.view = *view == QStringLiteral("today") ? RunListView::Today
                   : *view == QStringLiteral("all") ? RunListView::AllRuns
                                                    : RunListView::Personal;
    request.dateWindowChoice = *window;
    request.mode = *mode == QStringLiteral("points") ? RunLineMode::Points : RunLineMode::Time;
    request.groupText = context.option("group").value_or(kDefaultGroup);

    Result<RunLists> lists = ReadRunLists(
        RunListParts{state.program, state.Criteria, state.roster, state.session.CurrentStudent},
        context.file, context.clock, request);
    if (!lists) {
        err << lists.error().message << "\n";
        return kExitUsage;
    }
    for (int level = 1; level <= std::min(state.program.LevelCount, kMaxLevel); ++level) {
        out << "# level " << level << "\n";
        if (isPracticeLevel(state.program, level))
            continue;
        for (const QString& line : lists->levels[size_t(level)])
            out << line << "\n";
    }
    return 0;
}

} // namespace zanfolio
