#include "commandcontext.h"

namespace zanfolio {

int rosterCommand(CommandContext&, QTextStream&, QTextStream& err) {
    err << "roster: まだ使えません。\n";
    return kExitUsage;
}

} // namespace zanfolio
