#include "merge/oper_consec_list.hpp"

#include <algorithm>

#include "base/error.hpp"

namespace velquist {

const TOperConsecEntry& TOperConsecList::Items(std::int32_t index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return items_[static_cast<std::size_t>(index)];
}

// Run lengths are small numbers, so a counting sort (linear) does it whenever
// the numbers span no more than a few times the entry count.
void TOperConsecList::SortDescending() {
    if (items_.size() < 2) return;
    const auto [least, most] = std::minmax_element(
        items_.begin(), items_.end(),
        [](const TOperConsecEntry& a, const TOperConsecEntry& b) { return a.Number < b.Number; });
    const std::int64_t highest = most->Number;
    const std::int64_t span = highest - least->Number + 1;
    if (span > 4 * static_cast<std::int64_t>(items_.size()) + 1024) {
        std::sort(items_.begin(), items_.end(),
                  [](const TOperConsecEntry& a, const TOperConsecEntry& b) {
                      return a.Number > b.Number;
                  });
        return;
    }
    // start[k]: first place of the entries whose Number is the k-th largest.
    std::vector<std::size_t> start(static_cast<std::size_t>(span) + 1, 0);
    for (const TOperConsecEntry& entry : items_)
        ++start[static_cast<std::size_t>(highest - entry.Number) + 1];
    for (std::size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
    TLargeVector<TOperConsecEntry> sorted(items_.size());
    for (const TOperConsecEntry& entry : items_)
        sorted[start[static_cast<std::size_t>(highest - entry.Number)]++] = entry;
    items_.swap(sorted);
}

}  // namespace velquist
