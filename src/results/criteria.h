#pragma once
// The level criteria file "タイム回数データ.txt": a caption line, then one line per level of
// twelve comma-separated fields (目標Time, 最低Time, ｸﾘｱﾎﾟｲﾝﾄ, ｸﾘｱ回数, ﾎﾟｲﾝﾄ倍率, 禁回, 禁点,
// 判期間, 禁期間 and three spare fields), code page 932, CR LF.

#include "frame/levels.h"
#include "frame/result.h"
#include "frame/untyped.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace zanfolio {

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

inline constexpr int kCriteriaFields = 12;
using CriteriaRow = std::array<QString, kCriteriaFields>;

// The caption line as the editor writes it: nine captions and three empty fields.
CriteriaRow standardCriteriaCaptions();

struct CriteriaLoadReport {
    int linesRead = 0;    // indexes filled, the caption line included
    int linesIgnored = 0; // lines beyond index 35, which the tables cannot hold
};

// Reads the fields in sequence, twelve per index from 0 (the caption line) on. A file that
// ends in the middle of a line fills the rest of that index with empty; indexes after the last
// line keep their previous contents. A missing or unreadable file is an error naming it.
Result<CriteriaLoadReport> LoadCriteriaTable(const QString& path, CriteriaTable& table);

// The file's lines as cell texts (quotes removed), the caption line first: the editor's grid.
Result<std::vector<CriteriaRow>> readCriteriaRows(const QString& path);

// Why a cell text cannot be stored, as a Japanese message, or empty when it can: a comma or a
// double quote would shift every later field of the file.
QString criteriaCellRefusal(const QString& text);

// Writes the standard caption line and one line per row (the cell texts exactly as given,
// comma-separated; a text that only a quoted item can hold, one with a comma or with spaces at
// its ends, between double quotes so that it loads back as the same field), through a temporary
// file and one rename, then reloads `table` so the new criteria are in effect at once. On failure
// the file and `table` are unchanged.
Status SaveCriteriaTable(const QString& path, const std::vector<CriteriaRow>& levelRows,
                         CriteriaTable& table);

} // namespace zanfolio
