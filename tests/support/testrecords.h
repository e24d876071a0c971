#pragma once
// A results record for tests: pupil, level and time, with a fixed date and time of day unless
// the test names them.

#include "results/resultsrecord.h"

namespace zanfolio::testing {

inline ResultsRecord testRecord(int pupil, int level, int time, double date = 46000,
                                double timeOfDay = 0.5) {
    ResultsRecord r;
    r.date = date;
    r.timeOfDay = timeOfDay;
    r.pupil = int16_t(pupil);
    r.level = int16_t(level);
    r.time = time;
    return r;
}

} // namespace zanfolio::testing
