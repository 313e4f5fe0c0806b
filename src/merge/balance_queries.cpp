// Read-only queries of TOperationList over order numbers and balances, used by
// the merger and the statistics. Each is one pass over the rows.
#include "merge/int_list.hpp"
#include "model/operation.hpp"

namespace velquist {
namespace {

// The first balance row after start becomes the candidate; each further one
// for which continues(balance, candidate's balance) holds replaces it, and the
// first for which it fails ends the search. -1 when no balance row follows.
template <typename Continues>
std::int32_t NextExtreme(const TOperationList& list, std::int32_t start, Continues continues) {
    std::int32_t candidate = -1;
    double candidateBalance = 0;
    const std::int64_t first = start < 0 ? 0 : static_cast<std::int64_t>(start) + 1;
    for (std::int64_t i = first; i < list.Count(); ++i) {
        const TOperation& row = list.Items(static_cast<std::int32_t>(i));
        if (!row.HasBalance) continue;
        if (candidate >= 0 && !continues(row.Balance, candidateBalance)) break;
        candidate = static_cast<std::int32_t>(i);
        candidateBalance = row.Balance;
    }
    return candidate;
}

}  // namespace

std::int32_t TOperationList::OrderCount() const {
    TIntList orders;
    orders.Reserve(Count());
    for (const TOperation& row : items_)
        if (!orders.Contains(row.Order)) orders.Add(row.Order);
    return orders.Count();
}

double TOperationList::MaxBalance() const {
    double highest = 0;
    for (const TOperation& row : items_)
        if (row.HasBalance && row.Balance > highest) highest = row.Balance;
    return highest;
}

double TOperationList::MinBalance() const {
    double lowest = MaxBalance();
    for (const TOperation& row : items_)
        if (row.HasBalance && row.Balance < lowest) lowest = row.Balance;
    return lowest;
}

std::int32_t TOperationList::NextPeak(std::int32_t start) const {
    return NextExtreme(*this, start,
                       [](double balance, double candidate) { return balance >= candidate; });
}

std::int32_t TOperationList::NextTrough(std::int32_t start) const {
    return NextExtreme(*this, start,
                       [](double balance, double candidate) { return balance <= candidate; });
}

}  // namespace velquist
