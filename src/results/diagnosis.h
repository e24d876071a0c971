#pragma once
// From counts to a diagnosis: for each pupil and each wrong way of working (kMisconceptions),
// on how many of the answered problems where the procedure would have given a wrong answer
// (its opportunities) the pupil's answer did show it. A consistent wrong procedure shows on
// most of its opportunities; a slip now and then shows on few.
//
//   定着 (systematic)  shown on at least half of at least four opportunities
//   たまに (now and then)  shown at least once, less often than that
//   none              never shown
//
// 打ち間違い and 未入力 are never systematic: they are no way of working and have no
// opportunities. An answer handed in empty is no opportunity for anything.

#include "results/mistakerecord.h"

#include <QString>
#include <array>
#include <map>
#include <vector>

namespace zanfolio {

inline constexpr int kLeastOpportunities = 4;

struct KindTally {
    int opportunities = 0;
    int shown = 0;
    friend bool operator==(const KindTally&, const KindTally&) = default;
};

enum class Verdict { None, Now, Systematic };

Verdict verdictOf(const KindTally& tally);
// "定着", "たまに" or "".
QString verdictLabel(Verdict verdict);

// One answered problem as the diagnosis needs it.
struct AnsweredProblem {
    int pupil = 0;
    int level = 0;
    bool blank = false;                     // handed in empty (or a lone point)
    std::vector<MistakeKind> opportunities; // misconceptions whose procedure fails here
    std::vector<MistakeKind> shown;         // those the answer shows (empty when right)
};

// Tallies by misconception, indexed as kMisconceptions.
using Tallies = std::array<KindTally, kMisconceptions.size()>;

size_t misconceptionIndex(MistakeKind kind); // kMisconceptions.size() for any other kind

class Diagnosis {
  public:
    void add(const AnsweredProblem& answer);

    // A pupil's tallies on one level, or over every level (level 0).
    Tallies tallies(int pupil, int level = 0) const;
    // Every (pupil, level) with tallies, in ascending order.
    std::vector<std::pair<int, int>> pupilLevels() const;
    // The misconceptions systematic for the pupil on the level (0: over every level), most
    // shown first (by share, then by count, then in kMisconceptions' order).
    std::vector<MistakeKind> systematicKinds(int pupil, int level = 0) const;

  private:
    std::map<std::pair<int, int>, Tallies> byPupilLevel_;
};

} // namespace zanfolio
