// SortOperations: the merge's time order (time_order.hpp) worked out on small
// records, then the rows themselves moved once.
#include <cstddef>
#include <utility>
#include <vector>

#include "merge/time_order.hpp"
#include "model/operation.hpp"
#include "system/large_memory.hpp"

namespace velquist {
namespace {

// Rearranges the rows so that row k becomes the former row sorted[k].Row, in
// place: the rows that move towards the front are taken out first, then the
// places are filled from the back, where each row that moves back (or stays)
// is still in its old place. The sort moves most rows only a little, so this
// streams through the list, and no second list of all rows is needed.
void MoveIntoPlace(TLargeVector<TOperation>& rows, const TLargeVector<TTimeOrderRow>& sorted,
                   std::vector<TOperation>& forward) {
    for (std::size_t k = 0; k < sorted.size(); ++k)
        if (sorted[k].Row > k) forward.push_back(std::move(rows[sorted[k].Row]));
    for (std::size_t k = sorted.size(); k-- > 0;) {
        const std::size_t source = sorted[k].Row;
        if (source > k) {
            rows[k] = std::move(forward.back());
            forward.pop_back();
        } else if (source < k) {
            rows[k] = std::move(rows[source]);
        }
    }
}

// Working memory, kept per thread and reused by the next call.
struct TSortScratch {
    TLargeVector<TTimeOrderRow> Unsorted, Sorted;
    std::vector<TOperation> Forward;
};

}  // namespace

void TOperationList::SortOperations() {
    thread_local TSortScratch scratch;
    // The list's capacity is what a run of merges is expected to reach: room
    // for that once, rather than fresh memory at each sort.
    ReserveLarge(scratch.Unsorted, items_.capacity());
    scratch.Unsorted.clear();
    AppendTimeOrderRows(*this, 0, scratch.Unsorted);
    PutIntoTimeOrder(scratch.Unsorted, scratch.Sorted);
    MoveIntoPlace(items_, scratch.Sorted, scratch.Forward);
}

}  // namespace velquist
