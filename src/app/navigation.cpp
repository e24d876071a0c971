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

void wireNavigation(AppContext& context, SharedState& state, Sounds& sounds, ResultsStore& store) {
    AppContext* c = &context;
    SharedState* s = &state;
    Sounds* sound = &sounds;
    ResultsStore* st = &store;
    context.navigate.showRosterForm = [c, s, sound, st] {
        c->host.replace(new Namesel(*c, rosterFormParts(*s, *sound, *st)));
    };
    context.navigate.showResultsMenu = [c, s, st] {
        c->host.replace(new Seisekitime1(*c, menuParts(*s, *st)));
    };
    context.navigate.startRun = [c, s, sound, st] { StartRun(*c, drillParts(*s, *sound, *st)); };
    context.navigate.startAimedPractice = [c, s, sound, st](int kind) {
        StartRun(*c, drillParts(*s, *sound, *st), MistakeKind(kind));
    };
    context.navigate.printWorksheet = [c, s](int pupil, int level, int kind,
                                             SheetPrinterPort& printer) {
        return printWorksheet(makeWorksheet(s->program, s->roster, pupil, level, MistakeKind(kind),
                                            c->clock.now().date(), c->random),
                              pupil, printer);
    };
    context.navigate.showEvaluation = [c, s, sound, st] {
        c->host.replace(new FrmSyuuryou(*c, evaluationParts(*s, *sound, *st)));
    };
    context.navigate.showRecordsBrowser = [c, s, st] {
        c->host.replace(new FrmData(*c, teacherParts(*s, *st)));
    };
    context.navigate.showCriteriaEditor = [c, s, st] {
        c->host.replace(new FrmTimeData(*c, teacherParts(*s, *st)));
    };
    context.navigate.showVersionBox = [c, s] {
        Frmver box(s->program, c->host.dialogParent());
        c->host.runModal(box);
    };
}

} // namespace zanfolio
