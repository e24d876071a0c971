#include "app/navigation.h"

#include "drill/forms/startrun.h"
#include "drill/forms/worksheetprint.h"
#include "evaluation/forms/frmsyuuryou.h"
#include "frame/clock.h"
#include "frame/forms/screenhost.h"
#include "frame/programdefinition.h"
#include "menu/forms/seisekitime1.h"
#include "roster/forms/namesel.h"
#include "teacher/forms/frmdata.h"
#include "teacher/forms/frmtimedata.h"
#include "version/forms/frmver.h"

namespace zanfolio {

void wireNavigation(AppContext& context) {
    AppContext* c = &context;
    context.navigate.showRosterForm = [c] { c->host.replace(new Namesel(*c)); };
    context.navigate.showResultsMenu = [c] { c->host.replace(new Seisekitime1(*c)); };
    context.navigate.startRun = [c] { StartRun(*c); };
    context.navigate.startAimedPractice = [c](int kind) { StartRun(*c, MistakeKind(kind)); };
    context.navigate.printWorksheet = [c](int pupil, int level, int kind,
                                          SheetPrinterPort& printer) {
        return printWorksheet(makeWorksheet(c->state, pupil, level, MistakeKind(kind),
                                            c->clock.now().date(), c->random),
                              pupil, printer);
    };
    context.navigate.showEvaluation = [c] { c->host.replace(new FrmSyuuryou(*c)); };
    context.navigate.showRecordsBrowser = [c] { c->host.replace(new FrmData(*c)); };
    context.navigate.showCriteriaEditor = [c] { c->host.replace(new FrmTimeData(*c)); };
    context.navigate.showVersionBox = [c] {
        Frmver box(c->state, c->host.dialogParent());
        c->host.runModal(box);
    };
}

} // namespace zanfolio
