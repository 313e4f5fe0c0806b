// The quicksort behind the merge's time order. Rows of equal key end up in the
// arrangement that the textbook recursive quicksort (middle element as pivot,
// Hoare's crossing scans) leaves, which the merged report depends on; this
// version reproduces it exactly with a stack of O(log n) ranges, and sorts a
// large list's two first sides on two threads. It sorts small records of
// (key, position); callers map positions back to rows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velquist {

// A record packed into one word: (key - lowest key) << 32 | position. Usable
// when all keys lie within 2^32 of the lowest and positions fit 32 bits.
using TPackedKeyRecord = std::uint64_t;

struct TWideKeyRecord {
    std::int64_t Key;
    std::uint32_t Position;
};

bool KeysFitPacked(std::int64_t lowestKey, std::int64_t highestKey);

// Lists of at least this many records are sorted on two threads.
inline constexpr std::size_t QuickSortSplitFrom = 1 << 15;

// Both sort by key alone, leaving equal keys as the recursive quicksort does.
void QuickSortByKey(TPackedKeyRecord* records, std::size_t count);
void QuickSortByKey(TWideKeyRecord* records, std::size_t count);

}  // namespace velquist
