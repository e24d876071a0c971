#include "app/navigation.h"

#include "app/screenparts.h"
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

void wireNavigation(AppContext& context, SharedState& state, Sounds& sounds) {
    AppContext* c = &context;
    SharedState* s = &state;
    Sounds* sound = &sounds;
    context.navigate.showRosterForm = [c, s, sound] {
        c->host.replace(new Namesel(*c, rosterFormParts(*s, *sound)));
    };
    context.navigate.showResultsMenu = [c, s] {
        c->host.replace(new Seisekitime1(*c, menuParts(*s)));
    };
    context.navigate.startRun = [c, s, sound] { StartRun(*c, drillParts(*s, *sound)); };
    context.navigate.startAimedPractice = [c, s, sound](int kind) {
        StartRun(*c, drillParts(*s, *sound), MistakeKind(kind));
    };
    context.navigate.printWorksheet = [c, s](int pupil, int level, int kind,
                                             SheetPrinterPort& printer) {
        return printWorksheet(makeWorksheet(s->program, s->roster, pupil, level, MistakeKind(kind),
                                            c->clock.now().date(), c->random),
                              pupil, printer);
    };
    context.navigate.showEvaluation = [c, s, sound] {
        c->host.replace(new FrmSyuuryou(*c, evaluationParts(*s, *sound)));
    };
    context.navigate.showRecordsBrowser = [c, s] {
        c->host.replace(new FrmData(*c, teacherParts(*s)));
    };
    context.navigate.showCriteriaEditor = [c, s] {
        c->host.replace(new FrmTimeData(*c, teacherParts(*s)));
    };
    context.navigate.showVersionBox = [c, s] {
        Frmver box(s->program, c->host.dialogParent());
        c->host.runModal(box);
    };
}

} // namespace zanfolio
