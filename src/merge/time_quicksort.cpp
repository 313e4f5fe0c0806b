#include "merge/time_quicksort.hpp"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "base/side_by_side.hpp"

namespace velquist {
namespace {

// Both record kinds expose the same steps. A packed record's key is below /
// above the pivot's exactly when the record is below Floor / above Ceiling of
// the pivot record, so whole words are compared.
struct TPackedRecords {
    using Record = TPackedKeyRecord;
    static constexpr Record PositionBits = 0xFFFFFFFFULL;
    static Record Floor(Record pivot) { return pivot & ~PositionBits; }
    static Record Ceiling(Record pivot) { return pivot | PositionBits; }
    static bool Below(Record r, Record floor) { return r < floor; }
    static bool Above(Record r, Record ceiling) { return r > ceiling; }
};

struct TWideRecords {
    using Record = TWideKeyRecord;
    static Record Floor(Record pivot) { return pivot; }
    static Record Ceiling(Record pivot) { return pivot; }
    static bool Below(Record r, Record floor) { return r.Key < floor.Key; }
    static bool Above(Record r, Record ceiling) { return r.Key > ceiling.Key; }
};

struct TRange {
    std::ptrdiff_t Left, Right;
};

// One partition of rows[range]: i and j scan towards each other past keys
// below / above the pivot's and swap, until they cross. The pivot is the row
// in the middle; only its key is compared, so the key stands for the row
// wherever later swaps move it.
template <typename Records>
void Partition(typename Records::Record* row, TRange range, std::ptrdiff_t& i, std::ptrdiff_t& j) {
    using Record = typename Records::Record;
    const Record pivot = row[(range.Left + range.Right) / 2];
    const Record floor = Records::Floor(pivot), ceiling = Records::Ceiling(pivot);
    i = range.Left;
    j = range.Right;
    do {
        while (Records::Below(row[i], floor)) ++i;
        while (Records::Above(row[j], ceiling)) --j;
        if (i <= j) {
            std::swap(row[i], row[j]);
            ++i;
            --j;
        }
    } while (i <= j);
}

// The recursive quicksort (partition, sort left .. j, go on with i .. right)
// fixes its arrangement through the partitions alone, and the two sides are
// disjoint, so the order in which they are taken does not change it. Going on
// with the smaller side and keeping the larger on the stack gives the same
// rows with at most log2(n) ranges waiting. A sorted list splits in the
// middle every time: O(n log n).
template <typename Records>
void QuickSortRange(typename Records::Record* rows, TRange whole) {
    std::vector<TRange> waiting;
    waiting.reserve(64);
    waiting.push_back(whole);
    while (!waiting.empty()) {
        TRange range = waiting.back();
        waiting.pop_back();
        while (range.Left < range.Right) {
            std::ptrdiff_t i = 0, j = 0;
            Partition<Records>(rows, range, i, j);
            TRange smaller{range.Left, j}, larger{i, range.Right};
            if (smaller.Right - smaller.Left > larger.Right - larger.Left)
                std::swap(smaller, larger);
            if (smaller.Left < smaller.Right) {
                if (larger.Left < larger.Right) waiting.push_back(larger);
                range = smaller;
            } else {
                range = larger;
            }
        }
    }
}

// For the same reason a large list's first two sides can be sorted at the
// same time, one on a second thread: each is only ever touched by its own
// thread, so the result is the same rows in the same places, whatever the
// timing.
template <typename Records>
void QuickSort(typename Records::Record* rows, std::size_t count) {
    if (count < 2) return;
    const TRange whole{0, static_cast<std::ptrdiff_t>(count) - 1};
    if (count < QuickSortSplitFrom) return QuickSortRange<Records>(rows, whole);
    std::ptrdiff_t i = 0, j = 0;
    Partition<Records>(rows, whole, i, j);
    const TRange left{whole.Left, j}, right{i, whole.Right};
    RunSideBySide([rows, left] { QuickSortRange<Records>(rows, left); },
                  [rows, right] { QuickSortRange<Records>(rows, right); });
}

}  // namespace

bool KeysFitPacked(std::int64_t lowestKey, std::int64_t highestKey) {
    return static_cast<std::uint64_t>(highestKey) - static_cast<std::uint64_t>(lowestKey) <=
           TPackedRecords::PositionBits;
}

void QuickSortByKey(TPackedKeyRecord* records, std::size_t count) {
    QuickSort<TPackedRecords>(records, count);
}

void QuickSortByKey(TWideKeyRecord* records, std::size_t count) {
    QuickSort<TWideRecords>(records, count);
}

}  // namespace velquist
