#include "navigation.h"

#include "frmdata.h"
#include "frmsyuuryou.h"
#include "frmtimedata.h"
#include "namesel.h"
#include "programdefinition.h"
#include "screenhost.h"
#include "seisekitime1.h"
#include "startrun.h"

namespace zanfolio {

void wireNavigation(AppContext& context) {
    AppContext* c = &context;
    context.navigate.showRosterForm = [c] { c->host.replace(new Namesel(*c)); };
    context.navigate.showResultsMenu = [c] { c->host.replace(new Seisekitime1(*c)); };
    context.navigate.startRun = [c] { StartRun(*c); };
    context.navigate.showEvaluation = [c] { c->host.replace(new FrmSyuuryou(*c)); };
    context.navigate.showRecordsBrowser = [c] { c->host.replace(new FrmData(*c)); };
    context.navigate.showCriteriaEditor = [c] { c->host.replace(new FrmTimeData(*c)); };
}

} // namespace zanfolio
