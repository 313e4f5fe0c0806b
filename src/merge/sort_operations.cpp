// SortOperations: the merge's time order. A quicksort on whole seconds, whose
// arrangement among equal keys is part of the result, then three sweeps that
// decide between rows of equal time. The work is done on small records; the
// rows themselves are moved once, at the end. Its working memory is kept per
// thread and reused (see TSortScratch).
#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "base/large_memory.hpp"
#include "merge/rounding.hpp"
#include "merge/time_quicksort.hpp"
#include "model/operation.hpp"

namespace velquist {
namespace {

// What the sweeps read of a row, and where the row stood before sorting.
struct TTieRow {
    double Time;
    std::int32_t Order;
    std::int32_t Num;
    std::uint32_t Index;
};

// Stage 2: one sweep that moves a higher order number right within equal
// times. After a swap the re-test of the same pair always fails (the numbers
// now ascend), so the sweep stays linear.
void SweepByOrder(std::vector<TTieRow>& rows) {
    for (std::size_t i = 0; i + 1 < rows.size();) {
        if (rows[i].Time == rows[i + 1].Time && rows[i].Order > rows[i + 1].Order) {
            std::swap(rows[i], rows[i + 1]);
            continue;
        }
        ++i;
    }
}

// Stage 3: an order's row at a new time that stands behind a row of a lower
// order of that time moves up to follow its own order's previous row. After a
// swap row i + 1 has row i's order, so the re-test fails: linear again.
void KeepOrdersTogether(std::vector<TTieRow>& rows) {
    for (std::size_t i = 0; i + 2 < rows.size();) {
        const TTieRow& a = rows[i];
        const TTieRow& b = rows[i + 1];
        const TTieRow& c = rows[i + 2];
        if (a.Order == c.Order && b.Order != a.Order && b.Time == c.Time && a.Time != b.Time &&
            a.Order > b.Order) {
            std::swap(rows[i + 1], rows[i + 2]);
            continue;
        }
        ++i;
    }
}

bool SameTimeAndOrder(const TTieRow& a, const TTieRow& b) {
    return a.Time == b.Time && a.Order == b.Order;
}

// Stable insertion sort by Num of rows[first, last).
void InsertionSortByNum(std::vector<TTieRow>& rows, std::size_t first, std::size_t last) {
    for (std::size_t k = first + 1; k < last; ++k) {
        const TTieRow moving = rows[k];
        std::size_t m = k;
        for (; m > first && rows[m - 1].Num > moving.Num; --m) rows[m] = rows[m - 1];
        rows[m] = moving;
    }
}

// Stage 4: sweeps that swap neighbours of equal time and order while the left
// Num is greater, repeated until nothing moves. Such swaps never leave a
// maximal run of equal (time, order), and their fixed point is the run sorted
// by Num with equal numbers in their previous sequence: a stable sort of each
// run, without the quadratic sweeps.
void RestoreReportSequence(std::vector<TTieRow>& rows) {
    constexpr std::size_t shortRun = 32;
    const auto byNum = [](const TTieRow& a, const TTieRow& b) { return a.Num < b.Num; };
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t last = first + 1;
        while (last < rows.size() && SameTimeAndOrder(rows[last - 1], rows[last])) ++last;
        if (last - first <= shortRun)
            InsertionSortByNum(rows, first, last);
        else
            std::stable_sort(rows.begin() + static_cast<std::ptrdiff_t>(first),
                             rows.begin() + static_cast<std::ptrdiff_t>(last), byNum);
        first = last;
    }
}

// Rearranges the rows so that row k becomes the former row source[k], in
// place: the rows that move towards the front are taken out first, then the
// places are filled from the back, where each row that moves back (or stays)
// is still in its old place. The merge moves most rows only a little, so this
// streams through the list, and no second list of all rows is needed.
void MoveIntoPlace(std::vector<TOperation>& rows, const std::vector<TTieRow>& sorted,
                   std::vector<TOperation>& forward) {
    for (std::size_t k = 0; k < sorted.size(); ++k)
        if (sorted[k].Index > k) forward.push_back(std::move(rows[sorted[k].Index]));
    for (std::size_t k = sorted.size(); k-- > 0;) {
        const std::size_t source = sorted[k].Index;
        if (source > k) {
            rows[k] = std::move(forward.back());
            forward.pop_back();
        } else if (source < k) {
            rows[k] = std::move(rows[source]);
        }
    }
}

// Working memory of the sort. It is kept per thread and reused by the next
// call: on a run of merges of large reports, fresh memory for every call cost
// more (one page fault per 4 KiB) than the sorting itself.
struct TSortScratch {
    std::vector<TTieRow> Unsorted;
    std::vector<std::int64_t> Keys;
    std::vector<TPackedKeyRecord> Packed;
    std::vector<TWideKeyRecord> Wide;
    std::vector<TTieRow> Ties;
    std::vector<TOperation> Forward;
};

TSortScratch& Scratch() {
    thread_local TSortScratch scratch;
    return scratch;
}

// scratch.Ties := the rows in the quicksort's order of their keys. The rows
// are read once, in their own order, into small records that the rest uses.
void QuickSortRows(const std::vector<TOperation>& rows, TSortScratch& scratch) {
    const std::size_t count = rows.size();
    // The list's capacity is what a run of merges is expected to reach: room
    // for that once, rather than fresh memory at each merge.
    ReserveLarge(scratch.Unsorted, rows.capacity());
    ReserveLarge(scratch.Keys, rows.capacity());
    ReserveLarge(scratch.Ties, rows.capacity());
    std::vector<TTieRow>& unsorted = scratch.Unsorted;
    unsorted.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const TOperation& row = rows[i];
        unsorted[i] = {row.Time, row.Order, row.Num, static_cast<std::uint32_t>(i)};
    }
    std::vector<std::int64_t>& keys = scratch.Keys;
    keys.resize(count);
    TimeSortKeys(
        count, [&unsorted](std::size_t i) { return unsorted[i].Time; }, keys.data());
    scratch.Ties.resize(count);
    if (count == 0) return;
    const auto [lowest, highest] = std::minmax_element(keys.begin(), keys.end());
    if (KeysFitPacked(*lowest, *highest)) {
        const std::int64_t base = *lowest;
        ReserveLarge(scratch.Packed, rows.capacity());
        scratch.Packed.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            scratch.Packed[i] = static_cast<std::uint64_t>(keys[i] - base) << 32 | i;
        QuickSortByKey(scratch.Packed);
        for (std::size_t k = 0; k < count; ++k)
            scratch.Ties[k] = unsorted[static_cast<std::uint32_t>(scratch.Packed[k])];
    } else {
        scratch.Wide.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            scratch.Wide[i] = {keys[i], static_cast<std::uint32_t>(i)};
        QuickSortByKey(scratch.Wide);
        for (std::size_t k = 0; k < count; ++k)
            scratch.Ties[k] = unsorted[scratch.Wide[k].Position];
    }
}

}  // namespace

void TOperationList::SortOperations() {
    TSortScratch& scratch = Scratch();
    QuickSortRows(items_, scratch);
    SweepByOrder(scratch.Ties);
    KeepOrdersTogether(scratch.Ties);
    RestoreReportSequence(scratch.Ties);
    MoveIntoPlace(items_, scratch.Ties, scratch.Forward);
}

}  // namespace velquist
