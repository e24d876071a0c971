#pragma once
// The roster tables, filled by the name list builder (`名簿表示`) and read by the screens that
// name pupils. Every per-pupil table has indexes 0..5000.

#include "frame/levels.h"

#include <QString>
#include <vector>

namespace zanfolio {

// One roster line as read: eight fields.
struct RosterRecord {
    int Index = 0;
    int BirthYear = 0;
    int SpareNumber1 = 0;
    int SpareNumber2 = 0;
    QString Name; // 20-character field
    int Status = 0;
    QString SpareText1; // 20-character field
    QString SpareText2; // 20-character field
};

struct RosterTables {
    std::vector<QString> RosterNames = std::vector<QString>(kPupilSlots);
    std::vector<int> RosterBirthYears = std::vector<int>(kPupilSlots);
    std::vector<QString> RosterGradeLabels = std::vector<QString>(kPupilSlots);
    std::vector<RosterRecord> RosterRecords = std::vector<RosterRecord>(kPupilSlots + 1);
    std::vector<int> RosterIndexByLine = std::vector<int>(kPupilSlots + 1);
    int RosterListedCount = 0;
    int SchoolYear = 0;
    bool RosterSkipsReported = false; // the roster's unreadable lines were shown this run
};

} // namespace zanfolio
