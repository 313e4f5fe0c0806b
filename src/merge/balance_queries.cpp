// Read-only query of TOperationList over order numbers, used by the merger.
#include "merge/int_list.hpp"
#include "model/operation.hpp"

namespace velquist {

std::int32_t TOperationList::OrderCount() const {
    TIntList orders;
    orders.Reserve(Count());
    for (const TOperation& row : items_)
        if (!orders.Contains(row.Order)) orders.Add(row.Order);
    return orders.Count();
}

}  // namespace velquist
