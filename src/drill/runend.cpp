#include "drill/runend.h"

namespace zanfolio {

RunEnd runEndOf(bool practice, const Result<RunRecorded>& recorded) {
    if (practice)
        return {AfterRun::ResultsMenu, QString(), false};
    if (!recorded) {
        const Error& e = recorded.error();
        return {e.endsProgram ? AfterRun::EndProgram : AfterRun::ResultsMenu, e.message, true};
    }
    if (recorded->kept)
        return {AfterRun::ResultsMenu, recorded->message, false};
    return {AfterRun::Evaluation, QString(), false};
}

} // namespace zanfolio
