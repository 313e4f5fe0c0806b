// The merge's time order, worked out on small records that stand for rows: a
// quicksort on whole seconds, whose arrangement among equal keys is part of
// the result, then three sweeps that decide between rows of equal time. The
// callers move their rows (once) by the records' Row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/operation.hpp"
#include "system/large_memory.hpp"

namespace velquist {

// What the time order reads of a row, and which row it stands for.
struct TTimeOrderRow {
    std::int64_t Key;  // TimeSortKey(Time)
    TDateTime Time;
    std::int32_t Order;
    std::int32_t Num;
    std::uint32_t Row;
};

// Appends a record of each row from position `first` on: its key, time, order
// and Num, with Row its position in the list.
void AppendTimeOrderRows(const TOperationList& rows, std::size_t first,
                         TLargeVector<TTimeOrderRow>& records);

// sorted := the records, taken in their sequence, in the merge's time order.
// Working memory is kept per thread for the next call, sized by the capacity
// of `records`, which a run of merges sets to what it expects to reach.
void PutIntoTimeOrder(const TLargeVector<TTimeOrderRow>& records,
                      TLargeVector<TTimeOrderRow>& sorted);

}  // namespace velquist
