#include "drill/forms/startrun.h"

#include "drill/forms/mainfrm.h"
#include "frame/forms/screenhost.h"
#include "frame/sharedstate.h"

#include <QCoreApplication>

namespace zanfolio {

void StartRun(AppContext& context, std::optional<MistakeKind> aimedAt) {
    SharedState& s = context.state;
    s.RunFinished = 0;
    s.RunEnding = 0;
    s.InputBusy = 0;
    s.ConfirmState = 0;
    s.CorrectCount = 0;
    s.TimedOut = 0;
    QCoreApplication::processEvents();
    context.host.replace(new MainFrm(context, aimedAt));
}

} // namespace zanfolio
