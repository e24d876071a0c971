// roster [--mode 0..3] [--group TEXT]: the visible rows of the roster form's name list, one per
// line, the placeholder row first. The mode defaults to 1, the display mode the form starts
// in; the group to "全学年", the grade group it starts with.

#include "frame/datafiles.h"
#include "frame/platformfile.h"
#include "results/statistics.h"
#include "roster/grades.h"
#include "roster/namelist.h"
#include "tools/commandcontext.h"

namespace zanfolio {

int rosterCommand(CommandContext& context, QTextStream& out, QTextStream& err) {
    const std::optional<int> mode = context.intOptionOr("mode", 1, err, 0, 3);
    if (!mode)
        return kExitUsage;
    NameListRequest request;
    request.displayMode = *mode;
    request.gradeGroup = context.option("group").value_or(kAllGrades);

    // The program waits half a minute for a roster that is not there; a teacher at the
    // command line is told at once.
    const QString path = rosterFile(context.state.installation);
    if (!fileExists(path)) {
        err << "名簿ファイルがありません: " << path << "\n";
        return kExitUsage;
    }

    Result<NameList> list =
        名簿表示(context.state.roster, context.state.installation, context.state.Stats, request,
                 context.clock, context.waiter, [&] {
                     return ComputePupilStatistics(context.state.Stats, context.state.Criteria,
                                                   context.file, context.clock);
                 });
    if (!list) {
        err << list.error().message << "\n";
        return kExitUsage;
    }
    for (const QString& row : list->visibleRows)
        out << row << "\n";
    if (list->skippedLines > 0)
        err << "読み飛ばした名簿の行: " << list->skippedLines << "\n";
    return 0;
}

} // namespace zanfolio
