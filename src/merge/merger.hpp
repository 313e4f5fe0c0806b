// TMergeRun: a run of merges into one report, as the merge job folds file
// after file into the first. Each fold does what TMT4TestReport::Merge does,
// except what the next fold would replace: the rows stay where they were
// appended (the merged order is kept on small records), and their numbers,
// balances and the statistics are set once, by Finish. After Finish the
// report is exactly what the same Merge calls one after the other give.
#pragma once

#include <cstdint>

#include "merge/int_list.hpp"
#include "merge/time_order.hpp"
#include "model/report.hpp"

namespace velquist {

class TMergeRun {
  public:
    explicit TMergeRun(TMT4TestReport& accumulator) : report_(accumulator) {}

    // Folds report b in. Until Finish, the accumulator's deposit, symbol and
    // period are already merged, its rows are not.
    void Fold(const TMT4TestReport& b);
    // Puts the rows into the merged order with their numbers, orders and
    // balances and computes the statistics. Nothing happens when nothing was
    // folded since the last Finish.
    void Finish();

  private:
    void Start();
    void Reserve(std::size_t rowCount);
    void RenumberSorted();
    void RenumberByTable();
    void RenumberByList();
    void IncludeOrder(std::int32_t order);
    template <typename Visit>
    void WalkMerged(Visit visit) const;

    TMT4TestReport& report_;
    bool pending_ = false;
    // The rows' records in the merged order (Row: the row's place in the
    // report's list), and the room the next sort fills.
    TLargeVector<TTimeOrderRow> records_, sorted_;
    std::int32_t orderCount_ = 0;  // OrderCount() of the merged rows
    // The lowest and highest order number among the records (none: Low > High).
    std::int64_t orderLow_ = 1, orderHigh_ = 0;
    // The renumbering's memory, kept for the next fold: a table over the
    // orders' range, or a list where they lie far apart.
    TLargeVector<std::int32_t> numbers_;
    TIntList orders_;
};

}  // namespace velquist
