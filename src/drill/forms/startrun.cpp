#include "drill/forms/startrun.h"

#include "drill/forms/mainfrm.h"
#include "frame/forms/screenhost.h"

#include <QCoreApplication>

namespace zanfolio {

void StartRun(AppContext& context, DrillParts state, std::optional<MistakeKind> aimedAt) {
    DrillParts& s = state;
    s.run.RunFinished = 0;
    s.run.RunEnding = 0;
    s.run.InputBusy = 0;
    s.run.ConfirmState = 0;
    s.run.CorrectCount = 0;
    s.outcome.TimedOut = 0;
    QCoreApplication::processEvents();
    context.host.replace(new MainFrm(context, state, aimedAt));
}

} // namespace zanfolio
