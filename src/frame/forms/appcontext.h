#pragma once
// What every screen is handed at construction: the ports, the program's window, and the ways
// to the other screens; beside it, each screen is handed the parts of the state it reads. The
// ways are set by main() (and by tests), so no screen library depends on another's: the menu
// starts the drill, the drill ends on the evaluation, the evaluation returns to the menu.

#include "frame/result.h"

#include <functional>

namespace zanfolio {

class Clock;
class RandomSource;
class Dialogs;
class ProcessLauncher;
class Waiter;
class ScreenHost;
class SheetPrinterPort;

struct Navigator {
    std::function<void()> showRosterForm;  // namesel
    std::function<void()> showResultsMenu; // seisekitime1
    std::function<void()> startRun;        // StartRun: the drill MainFrm for CurrentLevel
    // StartRun of aimed practice (弱点練習) on CurrentLevel against a way of working (the
    // MistakeKind's value).
    std::function<void(int kind)> startAimedPractice;
    // 弱点プリント: the worksheet of a pupil for a level and a way of working (a MistakeKind),
    // printed through `printer`.
    std::function<Status(int pupil, int level, int kind, SheetPrinterPort& printer)> printWorksheet;
    std::function<void()> showEvaluation;     // FrmSyuuryou
    std::function<void()> showRecordsBrowser; // FrmData
    std::function<void()> showCriteriaEditor; // FrmTimeData
    std::function<void()> showVersionBox;     // frmver, modal over the current screen
};

struct AppContext {
    Clock& clock;
    RandomSource& random;
    Dialogs& dialogs;
    ProcessLauncher& launcher;
    Waiter& waiter;
    ScreenHost& host;
    Navigator navigate;
};

} // namespace zanfolio
