#include "merge/time_order.hpp"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "merge/rounding.hpp"
#include "merge/time_quicksort.hpp"
#include "system/large_memory.hpp"

namespace velquist {
namespace {

// Stage 2: one sweep that moves a higher order number right within equal
// times. After a swap the re-test of the same pair always fails (the numbers
// now ascend), so the sweep stays linear.
void SweepByOrder(TLargeVector<TTimeOrderRow>& rows) {
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
void KeepOrdersTogether(TLargeVector<TTimeOrderRow>& rows) {
    for (std::size_t i = 0; i + 2 < rows.size();) {
        const TTimeOrderRow& a = rows[i];
        const TTimeOrderRow& b = rows[i + 1];
        const TTimeOrderRow& c = rows[i + 2];
        if (a.Order == c.Order && b.Order != a.Order && b.Time == c.Time && a.Time != b.Time &&
            a.Order > b.Order) {
            std::swap(rows[i + 1], rows[i + 2]);
            continue;
        }
        ++i;
    }
}

bool SameTimeAndOrder(const TTimeOrderRow& a, const TTimeOrderRow& b) {
    return a.Time == b.Time && a.Order == b.Order;
}

// Stable insertion sort by Num of rows[first, last).
void InsertionSortByNum(TLargeVector<TTimeOrderRow>& rows, std::size_t first, std::size_t last) {
    for (std::size_t k = first + 1; k < last; ++k) {
        const TTimeOrderRow moving = rows[k];
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
void RestoreReportSequence(TLargeVector<TTimeOrderRow>& rows) {
    constexpr std::size_t shortRun = 32;
    const auto byNum = [](const TTimeOrderRow& a, const TTimeOrderRow& b) { return a.Num < b.Num; };
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

// The quicksort's working memory, kept per thread: on a run of merges of
// large reports, fresh memory for every call cost more (a page fault per
// 4 KiB) than the sorting itself.
struct TQuickSortScratch {
    TLargeVector<TPackedKeyRecord> Packed;
    TLargeVector<TWideKeyRecord> Wide;
};

TQuickSortScratch& Scratch() {
    thread_local TQuickSortScratch scratch;
    return scratch;
}

// Stage 1: sorted := the records in the quicksort's order of their keys. The
// quicksort works on (key, position) pairs, packed into one word when the
// keys allow, and the records are gathered after.
void QuickSortByTime(const TLargeVector<TTimeOrderRow>& records,
                     TLargeVector<TTimeOrderRow>& sorted) {
    const std::size_t count = records.size();
    std::int64_t lowest = records[0].Key, highest = records[0].Key;
    for (const TTimeOrderRow& record : records) {
        lowest = std::min(lowest, record.Key);
        highest = std::max(highest, record.Key);
    }
    TQuickSortScratch& scratch = Scratch();
    if (KeysFitPacked(lowest, highest)) {
        TLargeVector<TPackedKeyRecord>& packed = scratch.Packed;
        ReserveLarge(packed, records.capacity());
        packed.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            packed[i] = static_cast<std::uint64_t>(records[i].Key - lowest) << 32 | i;
        QuickSortByKey(packed.data(), packed.size());
        for (std::size_t k = 0; k < count; ++k)
            sorted[k] = records[static_cast<std::uint32_t>(packed[k])];
    } else {
        TLargeVector<TWideKeyRecord>& wide = scratch.Wide;
        wide.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            wide[i] = {records[i].Key, static_cast<std::uint32_t>(i)};
        QuickSortByKey(wide.data(), wide.size());
        for (std::size_t k = 0; k < count; ++k) sorted[k] = records[wide[k].Position];
    }
}

}  // namespace

void AppendTimeOrderRows(const TOperationList& rows, std::size_t first,
                         TLargeVector<TTimeOrderRow>& records) {
    const auto row = rows.begin() + static_cast<std::ptrdiff_t>(first);
    const std::size_t count = static_cast<std::size_t>(rows.end() - row);
    const std::size_t start = records.size();
    records.resize(start + count);
    TTimeOrderRow* added = records.data() + start;
    for (std::size_t i = 0; i < count; ++i)
        added[i] = {0, row[i].Time, row[i].Order, row[i].Num,
                    static_cast<std::uint32_t>(first + i)};
    struct TKeys {
        TTimeOrderRow* Records;
        std::int64_t& operator[](std::size_t i) const { return Records[i].Key; }
    };
    TimeSortKeys(
        count, [row](std::size_t i) { return row[static_cast<std::ptrdiff_t>(i)].Time; },
        TKeys{added});
}

void PutIntoTimeOrder(const TLargeVector<TTimeOrderRow>& records,
                      TLargeVector<TTimeOrderRow>& sorted) {
    ReserveLarge(sorted, records.capacity());
    sorted.resize(records.size());
    if (records.empty()) return;
    QuickSortByTime(records, sorted);
    SweepByOrder(sorted);
    KeepOrdersTogether(sorted);
    RestoreReportSequence(sorted);
}

}  // namespace velquist
