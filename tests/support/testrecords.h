#pragma once
// A results record for tests: pupil, level and time, and by name whatever else the test cares
// about; the rest as the maker's defaults (a fixed date and time of day, no school code) and
// the record's own (the second, points and spare texts as the program writes them).
//
//   testRecord(12, 3, 45)
//   testRecord(12, 3, 45).date(dayCount(day)).timeOfDay(0).schoolCode("00123")

#include "results/resultsrecord.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace zanfolio::testing {

class RecordMaker {
  public:
    RecordMaker(int pupil, int level, int time) {
        record_.date = 46000;
        record_.timeOfDay = 0.5;
        record_.pupil = int16_t(pupil);
        record_.level = int16_t(level);
        record_.time = time;
    }
    // A day count (frame/daycount.h).
    RecordMaker date(double days) const {
        RecordMaker m = *this;
        m.record_.date = days;
        return m;
    }
    RecordMaker timeOfDay(double fraction) const {
        RecordMaker m = *this;
        m.record_.timeOfDay = fraction;
        return m;
    }
    // Code page 932, space-padded to the field's five bytes.
    RecordMaker schoolCode(const QString& code) const {
        RecordMaker m = *this;
        m.record_.schoolCode = ResultsRecord::textField(code);
        return m;
    }

    operator ResultsRecord() const { return record_; }
    QByteArray encode() const { return record_.encode(); }

  private:
    ResultsRecord record_;
};

inline RecordMaker testRecord(int pupil, int level, int time) {
    return RecordMaker(pupil, level, time);
}

} // namespace zanfolio::testing
