// One row of a report's operations table, and the owning list of rows. A row
// is plain numbers and two interned texts, so it copies and moves as bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/date_time.hpp"
#include "model/interned_text.hpp"
#include "system/large_memory.hpp"

namespace velquist {

// The two 32-bit numbers stand side by side, leaving no padding: the merge
// moves every row several times, so its size is most of the merge's cost.
class TOperation {
  public:
    std::int32_t Num = 0;
    std::int32_t Order = 0;
    TDateTime Time = 0;
    TText OpType;
    double Size = 0;
    double Price = 0;
    double StopLoss = 0;
    double TakeProfit = 0;
    double Profit = 0;   // 0 when the row has none
    double Balance = 0;  // 0 when the row has none
    TText Symbol;
    bool HasProfit = false;
    bool HasBalance = false;

    // Fills the operation from one line of the reader's cell text; true when the
    // line is an operation (its second field is a date-time).
    bool ParseRow(std::string_view line);
};
static_assert(sizeof(TOperation) <= 88, "a row without padding holes");

// Ordered list of operations that owns its elements. Add stores a copy.
class TOperationList {
  public:
    // The first list built in the process also builds the phrase table.
    TOperationList();

    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    // The operation at a zero-based index; EListError outside 0 .. Count - 1.
    TOperation& Items(std::int32_t index);
    const TOperation& Items(std::int32_t index) const;
    void Add(const TOperation& operation) { items_.push_back(operation); }
    void Clear() { items_.clear(); }
    void Reserve(std::size_t count) { ReserveLarge(items_, count); }
    std::size_t Capacity() const { return items_.capacity(); }
    void Exchange(std::int32_t i, std::int32_t j);

    // Time order of the merge (quicksort on whole seconds plus three tie-break sweeps).
    void SortOperations();
    // Number of different Order values among all rows.
    std::int32_t OrderCount() const;

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    TLargeVector<TOperation> items_;
};

}  // namespace velquist
