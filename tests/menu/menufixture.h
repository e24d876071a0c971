#pragma once
// A signed-in menu without any file: the program definition of five levels, criteria of
// standard 40 s, and a roster filled straight into the tables. School year 2026, so a pupil
// born in school year 2017 is in grade 3 (mark "③").

#include "app/sharedstate.h"
#include "frame/programdefinition.h"

#include <QString>
#include <memory>

namespace zanfolio::testing {

inline constexpr int kSchoolYear = 2026;
inline int birthYearForGrade(int g) {
    return kSchoolYear - 6 - g;
}

class MenuState {
  public:
    MenuState() : state_(std::make_unique<SharedState>()) {
        SharedState& s = *state_;
        SetProgramTitle(s.program);
        DefineLevelTables(s.program);
        s.roster.SchoolYear = kSchoolYear;
        for (int level = 1; level <= kMaxLevel; ++level) {
            s.Criteria.StandardTime[size_t(level)] = 40;
            s.Criteria.TargetPoints[size_t(level)] = 30;
            s.Criteria.TargetCount[size_t(level)] = 5;
            s.Criteria.PointMultiplier[size_t(level)] = 1.0f;
            s.Criteria.ClearWindowDays[size_t(level)] = 7;
        }
    }
    SharedState& operator*() { return *state_; }
    SharedState* operator->() { return state_.get(); }

    // Appends a listed pupil at the next roster position (the roster builder's tables).
    void addPupil(int number, const QString& name, int grade = 3) {
        SharedState& s = *state_;
        s.roster.RosterListedCount += 1;
        s.roster.RosterIndexByLine[size_t(s.roster.RosterListedCount)] = number;
        s.roster.RosterNames[size_t(number)] = (name + QString(20, u' ')).left(20);
        s.roster.RosterBirthYears[size_t(number)] = birthYearForGrade(grade);
    }

  private:
    std::unique_ptr<SharedState> state_;
};

} // namespace zanfolio::testing
