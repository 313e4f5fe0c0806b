// TOperConsecList: an owning list of (number, amount) entries. The statistics
// keep their winning and losing runs (length, money) and the drawdown peaks and
// troughs (row position, balance) in such lists.
#pragma once

#include <cstdint>
#include <vector>

#include "system/large_memory.hpp"

namespace velquist {

class TOperConsecEntry {
  public:
    std::int32_t Number = 0;
    double Amount = 0;
};

class TOperConsecList {
  public:
    void Add(std::int32_t number, double amount) { items_.push_back({number, amount}); }
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    // The entry at a zero-based index; EListError outside 0 .. Count - 1.
    const TOperConsecEntry& Items(std::int32_t index) const;
    // Largest Number first; the order among equal numbers is not fixed.
    void SortDescending();

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    TLargeVector<TOperConsecEntry> items_;
};

}  // namespace velquist
