#pragma once
// The size of the tables: levels are numbered 1..35 and pupils 0..5000; every per-level table
// has indexes 0..35 and every per-pupil table 0..5000 (index 0 is not used).

#include <algorithm>
#include <array>
#include <cstddef>
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

} // namespace zanfolio
