#include "merge/int_list.hpp"

#include <algorithm>

#include "base/error.hpp"
#include "system/large_memory.hpp"

namespace velquist {
namespace {

// A direct table stays while it has at most this many slots per entry (plus a
// fixed allowance), so its memory stays linear in the number of values.
constexpr std::int64_t DenseSlotsPerEntry = 4;
constexpr std::int64_t DenseAllowance = 1024;

}  // namespace

// A value outside the direct table: widen the table, or give it up.
void TIntList::AddOutside(std::int32_t value) {
    items_.push_back(TIntEntry{value});
    const std::int32_t position = Count() - 1;
    if (!useHash_) {
        const std::int64_t low = dense_.empty() ? value : std::min<std::int64_t>(denseBase_, value);
        const std::int64_t high =
            dense_.empty() ? value : std::max<std::int64_t>(denseBase_ + DenseSize() - 1, value);
        if (FitsDense(low, high)) {
            // The first value opens a table for the values announced by
            // Reserve, since order numbers mostly grow from the first one.
            GrowDense(low,
                      dense_.empty() ? std::max<std::int64_t>(high, low + expected_ - 1) : high);
            dense_[static_cast<std::size_t>(Offset(value))] = position;  // new, so first
            return;
        }
        MoveToHash();  // takes the new entry along
    }
    hash_.try_emplace(value, position);
}

std::int32_t TIntList::HashedIndexOf(std::int32_t value) const {
    const auto found = hash_.find(value);
    return found == hash_.end() ? -1 : found->second;
}

const TIntEntry& TIntList::Items(std::int32_t index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return items_[static_cast<std::size_t>(index)];
}

void TIntList::Clear() {
    items_.clear();
    dense_.clear();
    denseBase_ = 0;
    expected_ = 0;
    useHash_ = false;
    hash_.clear();
}

void TIntList::Reserve(std::int32_t count) {
    if (count <= expected_) return;
    expected_ = count;
    ReserveLarge(items_, static_cast<std::size_t>(count));
}

bool TIntList::FitsDense(std::int64_t low, std::int64_t high) const {
    const std::int64_t entries = std::max<std::int64_t>(Count(), expected_);
    return high - low + 1 <= DenseSlotsPerEntry * entries + DenseAllowance;
}

// Widens the table to cover low .. high, at least doubling it towards the new
// value, so that a growing range costs amortised O(1) per value.
void TIntList::GrowDense(std::int64_t low, std::int64_t high) {
    const std::int64_t oldSize = DenseSize();
    if (high - low + 1 < 2 * oldSize) {
        if (low < denseBase_)
            low = high - 2 * oldSize + 1;
        else
            high = low + 2 * oldSize - 1;
    }
    const auto size = static_cast<std::size_t>(high - low + 1);
    if (oldSize == 0 && dense_.capacity() >= size) {  // a cleared list's table, reused
        dense_.assign(size, -1);
        denseBase_ = low;
        return;
    }
    TLargeVector<std::int32_t> wider;
    ReserveLarge(wider, size);
    wider.assign(size, -1);
    if (oldSize > 0) std::copy(dense_.begin(), dense_.end(), wider.begin() + (denseBase_ - low));
    dense_.swap(wider);
    denseBase_ = low;
}

void TIntList::MoveToHash() {
    useHash_ = true;
    dense_ = {};
    hash_.reserve(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i)
        hash_.try_emplace(items_[i].Value, static_cast<std::int32_t>(i));
}

}  // namespace velquist
