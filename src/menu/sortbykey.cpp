#include "menu/sortbykey.h"

#include <algorithm>
#include <utility>

namespace zanfolio {

void SortByKey(std::vector<int64_t>& keys, std::vector<int>& pupils) {
    if (keys.size() != pupils.size())
        return;
    std::vector<std::pair<int64_t, int>> entries(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        entries[i] = {keys[i], pupils[i]};
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < entries.size(); ++i) {
        keys[i] = entries[i].first;
        pupils[i] = entries[i].second;
    }
}

} // namespace zanfolio
