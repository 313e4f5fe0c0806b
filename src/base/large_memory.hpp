// Large working memory (lists of rows, file buffers) that is filled right
// after it is reserved. The system is asked to back it with huge pages where
// it can: filling it then takes a page fault per 2 MiB instead of one per
// 4 KiB, which on large merges cost more than the work done in the memory.
// Only a hint: without huge pages nothing changes.
#pragma once

#include <cstddef>

namespace velquist {

void AdviseHugePages(const void* data, std::size_t bytes);

// container.reserve(count), then the hint for all of its room.
template <class TContainer>
void ReserveLarge(TContainer& container, std::size_t count) {
    container.reserve(count);
    AdviseHugePages(container.data(), container.capacity() * sizeof(*container.data()));
}

// Room for count elements in memory that is refilled with items of varying
// size: an eighth more than asked, so that a slightly larger next item still
// fits without fresh memory.
template <typename TContainer>
void ReserveForReuse(TContainer& container, std::size_t count) {
    if (container.capacity() < count) ReserveLarge(container, count + count / 8);
}

}  // namespace velquist
