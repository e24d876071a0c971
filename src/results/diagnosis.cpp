#include "results/diagnosis.h"

#include <algorithm>

namespace zanfolio {

Verdict verdictOf(const KindTally& t) {
    if (t.opportunities >= kLeastOpportunities && 2 * t.shown >= t.opportunities)
        return Verdict::Systematic;
    return t.shown > 0 ? Verdict::Now : Verdict::None;
}

QString verdictLabel(Verdict verdict) {
    switch (verdict) {
    case Verdict::Systematic:
        return QStringLiteral("定着");
    case Verdict::Now:
        return QStringLiteral("たまに");
    case Verdict::None:
        break;
    }
    return {};
}

size_t misconceptionIndex(MistakeKind kind) {
    const auto at = std::find(kMisconceptions.begin(), kMisconceptions.end(), kind);
    return size_t(at - kMisconceptions.begin());
}

void Diagnosis::add(const AnsweredProblem& answer) {
    if (answer.blank)
        return;
    Tallies& tallies = byPupilLevel_[{answer.pupil, answer.level}];
    for (MistakeKind kind : answer.opportunities) {
        const size_t i = misconceptionIndex(kind);
        if (i >= tallies.size())
            continue;
        tallies[i].opportunities += 1;
        if (std::find(answer.shown.begin(), answer.shown.end(), kind) != answer.shown.end())
            tallies[i].shown += 1;
    }
}

Tallies Diagnosis::tallies(int pupil, int level) const {
    if (level != 0) {
        const auto at = byPupilLevel_.find({pupil, level});
        return at == byPupilLevel_.end() ? Tallies{} : at->second;
    }
    Tallies sum{};
    for (auto at = byPupilLevel_.lower_bound({pupil, 0});
         at != byPupilLevel_.end() && at->first.first == pupil; ++at) {
        for (size_t i = 0; i < sum.size(); ++i) {
            sum[i].opportunities += at->second[i].opportunities;
            sum[i].shown += at->second[i].shown;
        }
    }
    return sum;
}

std::vector<std::pair<int, int>> Diagnosis::pupilLevels() const {
    std::vector<std::pair<int, int>> out;
    for (const auto& [key, tallies] : byPupilLevel_)
        out.push_back(key);
    return out;
}

std::vector<MistakeKind> Diagnosis::systematicKinds(int pupil, int level) const {
    const Tallies t = tallies(pupil, level);
    std::vector<size_t> found;
    for (size_t i = 0; i < t.size(); ++i)
        if (verdictOf(t[i]) == Verdict::Systematic)
            found.push_back(i);
    std::stable_sort(found.begin(), found.end(), [&](size_t a, size_t b) {
        // shown_a / opp_a > shown_b / opp_b, without division
        const long long left = (long long)t[a].shown * t[b].opportunities;
        const long long right = (long long)t[b].shown * t[a].opportunities;
        if (left != right)
            return left > right;
        return t[a].shown > t[b].shown;
    });
    std::vector<MistakeKind> out;
    for (size_t i : found)
        out.push_back(kMisconceptions[i]);
    return out;
}

} // namespace zanfolio
