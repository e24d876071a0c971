#include "commandcontext.h"

namespace zanfolio {

int rankingCommand(CommandContext&, QTextStream&, QTextStream& err) {
    err << "ranking: まだ使えません。\n";
    return kExitUsage;
}

int runsCommand(CommandContext&, QTextStream&, QTextStream& err) {
    err << "runs: まだ使えません。\n";
    return kExitUsage;
}

} // namespace zanfolio
