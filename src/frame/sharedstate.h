#pragma once
// The program-wide state. One SharedState lives for the whole process; main() owns it and
// hands a reference to every form and module that needs it. Members keep the names the
// installations' documentation uses, so a maintainer can follow each value through the
// screens. Levels are numbered 1..35 and pupils 0..5000; every per-level table has indexes
// 0..35 and every per-pupil table 0..5000 (index 0 is not used).

#include "frame/untyped.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace zanfolio {

inline constexpr int kMaxLevel = 35;
inline constexpr int kLevelSlots = kMaxLevel + 1;
inline constexpr int kMaxPupil = 5000;
inline constexpr int kPupilSlots = kMaxPupil + 1;
inline constexpr int kNoTime = 99999;     // a timed-out run, and a best time not yet set
inline constexpr int kFailedTime = 99998; // shown as a failure in the rankings
inline constexpr int kMaxLoadedRecords = 20000;

inline bool isValidLevel(int level) {
    return level >= 1 && level <= kMaxLevel;
}
inline bool isValidPupil(int pupil) {
    return pupil >= 1 && pupil <= kMaxPupil;
}

// A table addressed by (level, pupil), 36 × 5001 entries, level-major.
template <class T> class LevelPupilTable {
  public:
    LevelPupilTable() : v_(size_t(kLevelSlots) * kPupilSlots, T{}) {}
    T& operator()(int level, int pupil) { return v_[size_t(level) * kPupilSlots + size_t(pupil)]; }
    const T& operator()(int level, int pupil) const {
        return v_[size_t(level) * kPupilSlots + size_t(pupil)];
    }
    void fill(const T& value) { std::fill(v_.begin(), v_.end(), value); }

  private:
    std::vector<T> v_;
};

template <class T> using LevelTable = std::array<T, kLevelSlots>;

// Per-level pass criteria, loaded from "タイム回数データ.txt".
struct CriteriaTable {
    LevelTable<int32_t> StandardTime{};    // 目標Time, seconds
    LevelTable<int32_t> MinimumLineTime{}; // 最低Time, seconds; 5 × this is the time-out
    LevelTable<int32_t> TargetPoints{}; // ｸﾘｱﾎﾟｲﾝﾄ; 9999 marks a level without target
    LevelTable<int16_t> TargetCount{};       // ｸﾘｱ回数
    LevelTable<float> PointMultiplier{};     // ﾎﾟｲﾝﾄ倍率
    LevelTable<Untyped> OveruseRunLimit{};   // 禁回; 0 or empty: off
    LevelTable<Untyped> OverusePointLimit{}; // 禁点; 0 or empty: off
    LevelTable<Untyped> ClearWindowDays{};   // 判期間
    LevelTable<Untyped> OveruseWindowDays{}; // 禁期間
    LevelTable<Untyped> SpareCriterion10{};
    LevelTable<Untyped> SpareCriterion11{};
    LevelTable<Untyped> SpareCriterion12{};
};

// One loaded record slot of the statistics pass.
struct RecordSlot {
    double date = 0;
    double timeOfDay = 0;
    int16_t pupil = 0;
    int16_t level = 0;
    int32_t time = 0;
};

// Pupil statistics, recomputed from the results file by every statistics pass.
struct PupilStatistics {
    LevelPupilTable<int32_t> TotalRunCounts;
    LevelPupilTable<int32_t> TotalPoints;
    LevelPupilTable<int32_t> WindowRunCounts;
    LevelPupilTable<int32_t> WindowPoints;
    LevelPupilTable<int32_t> OveruseRunCounts;
    LevelPupilTable<int32_t> OverusePoints;
    LevelPupilTable<int32_t> TodayRunCounts;
    LevelPupilTable<int32_t> TodayPoints;
    LevelPupilTable<int32_t> PersonalBestTimes; // 99999 = none
    LevelTable<int32_t> OverallBestTimes{};     // over pupils 1..1000; 99999 = none

    std::vector<RecordSlot> Slots = std::vector<RecordSlot>(kMaxLoadedRecords + 1);
    int LoadedCount = 0;
    // Records of the last pass that took no slot: a negative date, pupil 0 or level 0 (the
    // installations' own rule), or a level or pupil outside the tables.
    int SkippedCount = 0;
    int OutOfRangeCount = 0; // of those, level or pupil outside the tables

    PupilStatistics() {
        PersonalBestTimes.fill(kNoTime);
        OverallBestTimes.fill(kNoTime);
    }
};

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

struct SharedState {
    // Program definition.
    QString ProgramTitle;
    Untyped TeacherPrintButton;
    Untyped AllLevelsOpen;
    LevelTable<QString> LevelNames{};
    LevelTable<int16_t> LevelPresent{};
    int LevelCount = 0;
    Untyped TargetLevel;

    // Folders and settings (configuration load).
    QString AppDir;            // the program's folder with a trailing separator
    QString DataRoot;          // ends with a separator
    QString ProgramFolderName; // last component of the program's folder
    QString ProgramDataDir;    // DataRoot & ProgramFolderName & separator
    QString SoundDir;          // DataRoot & "音フォルダ" & separator
    QString PendingDir;        // this computer's folder for runs not yet recorded (ends with "/")
    Untyped SchoolYearStartMonth;
    QString SchoolName;
    Untyped SchoolCode; // five characters, or empty
    Untyped ListStatus2Setting;
    Untyped TeacherPassword;
    uint32_t SeasonColour = 0; // 0x00BBGGRR

    // Pupil signed in.
    int CurrentStudent = 0;
    QString StudentName; // 20-character roster field; displays trim it
    QString StudentGrade;
    int SignInTime = 0; // seconds since midnight
    QString GradeGroupFilter;

    // Run in progress.
    int CurrentLevel = 0;
    int TotalProblems = 0;
    int CorrectCount = 0;
    int Judgement = 0;
    int InputBusy = 0;
    int ConfirmState = 0;
    int RunFinished = 0;
    int TimedOut = 0;
    int RunEnding = 0;
    float RunStartTime = 0;
    int ElapsedSeconds = 0;
    int TimeoutSeconds = 0;
    double BarScale = 0;
    int RecordedTime = 0;
    int TodayRunTotal = 0;

    // Outcome flags left by the record writer for the evaluation screen.
    int ClearedBefore = 0;
    int NewPersonalBest = 0;
    int NewOverallBest = 0;

    // Results menu values that outlive the menu.
    int DateWindowChoice = 0;
    int DateWindowDays = 0;
    int FirstVisibleLevel = 0;
    Untyped LastLevelCleared;

    CriteriaTable Criteria;
    PupilStatistics Stats;

    // Roster tables, filled by the name list builder.
    std::vector<QString> RosterNames = std::vector<QString>(kPupilSlots);
    std::vector<int> RosterBirthYears = std::vector<int>(kPupilSlots);
    std::vector<QString> RosterGradeLabels = std::vector<QString>(kPupilSlots);
    std::vector<RosterRecord> RosterRecords = std::vector<RosterRecord>(kPupilSlots + 1);
    std::vector<int> RosterIndexByLine = std::vector<int>(kPupilSlots + 1);
    int RosterListedCount = 0;
    int SchoolYear = 0;
    bool RosterSkipsReported = false; // the roster's unreadable lines were shown this run

    // Sound table: role 0..10, slot 0..21 (0 the role name, 1..20 file names, 21 the count).
    std::array<std::array<QString, 22>, 11> SoundTable{};
    int SoundErrorCount = 0;
};

} // namespace zanfolio
