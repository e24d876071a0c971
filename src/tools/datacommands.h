#pragma once
// zanfolio-data: the command-line companion for teachers and administrators. It resolves an
// installation exactly as the program does and works on its results file with the same code.
//
//   zanfolio-data --program-dir DIR [--now YYYY-MM-DDTHH:MM:SS] COMMAND [OPTIONS]
//
// Exit status: 0 done, 1 `check` found something, 2 bad folder or argument (or a failed write).

#include <QStringList>
#include <QTextStream>

namespace zanfolio {

int runDataCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace zanfolio
