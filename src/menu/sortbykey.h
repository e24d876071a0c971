#pragma once
// The sort of the rankings and of the chart: keys ascending, each pupil number moving with
// its key, entries with equal keys in the order they had before (a stable sort). The
// rankings fill the tables in roster-file order, so equal keys keep roster order.

#include <cstdint>
#include <vector>

namespace zanfolio {

// Sorts `keys` ascending and moves `pupils` along with them. Both are 0-based tables of the
// same length (position 0 is the first entry); a length mismatch sorts nothing. Keys are 64-bit
// so a points key of a prolific pupil cannot overflow.
void SortByKey(std::vector<int64_t>& keys, std::vector<int>& pupils);

} // namespace zanfolio
