// Step-by-step transcriptions of the merge's algorithms, written for clarity
// rather than speed (recursion, repeated sweeps, rescans). The tests compare
// the fast implementations with them on many generated inputs.
#pragma once

#include <cstdint>
#include <vector>

#include "merge/oper_consec_list.hpp"
#include "model/report.hpp"

namespace velquist::literal {

// The recursive quicksort on keys: partition around the middle element's key,
// recurse on left .. j, go on with i .. right. Swaps are mirrored in `items`.
template <typename Item>
void QuickSort(std::vector<std::int64_t>& keys, std::vector<Item>& items, std::ptrdiff_t left,
               std::ptrdiff_t right) {
    do {
        std::ptrdiff_t i = left, j = right;
        const std::int64_t pivot = keys[static_cast<std::size_t>((left + right) / 2)];
        do {
            while (keys[static_cast<std::size_t>(i)] < pivot) ++i;
            while (keys[static_cast<std::size_t>(j)] > pivot) --j;
            if (i <= j) {
                std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
                std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (left < j) QuickSort(keys, items, left, j);
        left = i;
    } while (left < right);
}

// SortOperations: the quicksort through Exchange, then the three sweeps as
// written, stage 4 repeated until a sweep swaps nothing.
void SortOperations(TOperationList& list);

// Position of the next local balance peak / trough after start (the first
// balance row after it, replaced by each further one that is not lower / not
// higher), or -1 when no balance row follows.
std::int32_t NextPeak(const TOperationList& list, std::int32_t start);
std::int32_t NextTrough(const TOperationList& list, std::int32_t start);

// The drawdown pairs through NextPeak and NextTrough.
void DrawdownPairs(const TOperationList& list, TOperConsecList& peaks, TOperConsecList& troughs);

// Merge with its eight steps one after the other, each a separate pass.
void Merge(TMT4TestReport& a, const TMT4TestReport& b);

}  // namespace velquist::literal
