#pragma once
// What a zanfolio-data command works on: the installation resolved like the program does,
// its results file, the present moment, and the command's own --name value options.

#include "frame/clock.h"
#include "frame/installation.h"
#include "frame/programdefinition.h"
#include "frame/waiter.h"
#include "results/criteria.h"
#include "results/resultsfile.h"
#include "results/statistics.h"
#include "roster/rostertables.h"
#include "roster/session.h"
#include "sound/soundtable.h"
#include "startup/configuration.h"

#include <QString>
#include <QTextStream>
#include <map>
#include <optional>

namespace zanfolio {

// What the commands read, loaded as the program loads it.
struct ToolState {
    Installation installation;
    ProgramDefinition program;
    CriteriaTable Criteria;
    SoundList sound;
    PupilStatistics Stats;
    RosterTables roster;
    Session session;

    StartUpParts startUpParts() { return {installation, program, Criteria, sound}; }
};

struct CommandContext {
    ToolState& state;
    ResultsFile& file;
    const Clock& clock;
    Waiter& waiter;
    std::map<QString, QString> values;

    std::optional<QString> option(const char* name) const;
    // The option as a whole number in [lo, hi]; a missing or bad value is reported on err.
    std::optional<int> intOption(const char* name, QTextStream& err, int lo, int hi) const;
    // The option as a whole number in [lo, hi], or `fallback` when it is absent.
    std::optional<int> intOptionOr(const char* name, int fallback, QTextStream& err, int lo,
                                   int hi) const;
};

inline constexpr int kExitUsage = 2;

// Commands that print what the screens would show (each in its own file).
int rosterCommand(CommandContext& context, QTextStream& out, QTextStream& err);
int rankingCommand(CommandContext& context, QTextStream& out, QTextStream& err);
int runsCommand(CommandContext& context, QTextStream& out, QTextStream& err);
int mistakesCommand(CommandContext& context, QTextStream& out, QTextStream& err);

} // namespace zanfolio
