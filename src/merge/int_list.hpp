// TIntList: an owning list of integers in insertion order, used as a set and
// index of order numbers by the statistics and the merger. Answers are those
// of a plain list (insertion order, duplicates kept, IndexOf gives the first
// position); lookups go through an index, so each costs O(1) on average.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "system/large_memory.hpp"

namespace velquist {

class TIntEntry {
  public:
    std::int32_t Value = 0;
};

class TIntList {
  public:
    // Appends an entry; a value already present keeps its first position.
    void Add(std::int32_t value) {
        const std::int64_t offset = Offset(value);
        if (useHash_ || offset < 0 || offset >= DenseSize()) return AddOutside(value);
        items_.push_back(TIntEntry{value});
        std::int32_t& slot = dense_[static_cast<std::size_t>(offset)];
        if (slot < 0) slot = Count() - 1;
    }
    bool Contains(std::int32_t value) const { return IndexOf(value) >= 0; }
    // 0-based position of the first entry holding the value, or -1.
    std::int32_t IndexOf(std::int32_t value) const {
        if (useHash_) return HashedIndexOf(value);
        const std::int64_t offset = Offset(value);
        return offset >= 0 && offset < DenseSize() ? dense_[static_cast<std::size_t>(offset)] : -1;
    }
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    // The entry at a zero-based index; EListError outside 0 .. Count - 1.
    const TIntEntry& Items(std::int32_t index) const;
    void Clear();
    // Announces about how many values will be added. The index then stays a
    // direct table for values spread over up to four times that many numbers.
    void Reserve(std::int32_t count);

  private:
    // Order numbers are nearly always a compact range, so the index is a
    // direct table over [denseBase_, denseBase_ + dense_.size()) while the
    // values stay that compact; values spread too far apart move it to a hash
    // map for good.
    std::int64_t Offset(std::int32_t value) const { return value - denseBase_; }
    std::int64_t DenseSize() const { return static_cast<std::int64_t>(dense_.size()); }
    void AddOutside(std::int32_t value);
    std::int32_t HashedIndexOf(std::int32_t value) const;
    bool FitsDense(std::int64_t low, std::int64_t high) const;
    void GrowDense(std::int64_t low, std::int64_t high);
    void MoveToHash();

    TLargeVector<TIntEntry> items_;
    TLargeVector<std::int32_t> dense_;  // first position, or -1
    std::int64_t denseBase_ = 0;
    std::int64_t expected_ = 0;
    bool useHash_ = false;
    std::unordered_map<std::int32_t, std::int32_t> hash_;  // value -> first position
};

}  // namespace velquist
