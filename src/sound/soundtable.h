#pragma once
// The sound roles and their alternative wave files, listed in "新音ファイル.txt" in the sound
// folder. The list is a sequence of blocks: a role name, the base names (without ".wav") of
// its alternatives one per item, and an item "*". Items outside a block that name no role are
// skipped, so the file may carry comments or roles this program does not use.
//
// SoundList::SoundTable[role][slot]: slot 0 the role name, slots 1..20 the file names, slot
// 21 the number of alternatives as text ("" when the block gave none: no block, or more than
// twenty names).

#include "frame/installation.h"
#include "frame/result.h"

#include <QString>
#include <array>

namespace zanfolio {

inline constexpr int kSoundRoleCount = 10;
inline constexpr int kMaxSoundAlternatives = 20;
inline constexpr int kSoundCountSlot = 21;

// The sound list as loaded: role 0..10, slot 0..21 (0 the role name, 1..20 file names, 21 the
// count); and the answer sounds' failures in a row.
struct SoundList {
    std::array<std::array<QString, 22>, 11> SoundTable{};
    int SoundErrorCount = 0;
};

// Roles that this program plays (the others are listed so that a shared sound list keeps one
// layout for every program of the school).
inline constexpr int kCorrectSoundRole = 2;      // "正解音2"
inline constexpr int kWrongSoundRole = 4;        // "間違い音2"
inline constexpr int kPersonalBestSoundRole = 8; // "自己最高音2"
inline constexpr int kFailSoundRole = 10;        // "不合格音1"

// The name of role 1..10 as it stands in the sound list; empty for any other number.
QString soundRoleName(int role);

// "新音ファイル.txt" in SoundDir.
QString soundListFile(const Installation& installation);

// Fills SoundTable from the sound list (code page 932, read item by item). Names are compared
// exactly: "正解音２" with a full-width digit is no role. A block of more than twenty names
// keeps the first twenty, leaves its count empty, and the names after them are read as if
// they stood outside a block. A block left open at the end of the file ends there.
// A missing or unreadable list is an error naming the file; the program ends after showing it.
Status LoadSoundTable(const Installation& installation, SoundList& sounds);

} // namespace zanfolio
