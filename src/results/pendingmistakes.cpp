#include "results/pendingmistakes.h"

namespace zanfolio {

Result<MistakesRecorded> recordMistakes(const QString& mistakesPath, PendingMistakes& pending,
                                        const std::vector<MistakeRecord>& batch, Waiter& waiter,
                                        const MistakeAppendHooks& hooks) {
    return recordLines(mistakesPath, pending, batch, waiter, hooks);
}

} // namespace zanfolio
