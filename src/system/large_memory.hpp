// Large working memory (lists of rows, file buffers) that is filled right
// after it is reserved. The system is asked to back it with huge pages where
// it can: filling it then takes a page fault per 2 MiB instead of one per
// 4 KiB, which on large merges cost more than the work done in the memory.
// Only a hint: without huge pages nothing changes.
#pragma once

#include <cstddef>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace velquist {

void AdviseHugePages(const void* data, std::size_t bytes);

// Blocks of at least this size are mapped on their own, aligned to 2 MiB and
// rounded up to it, and marked for huge pages, so that the whole block fills
// at a page fault per 2 MiB (memory from the general allocator only gets its
// aligned middle). Smaller blocks come from operator new. (POSIX; on Windows
// all come from operator new.)
inline constexpr std::size_t LargeBlockFrom = std::size_t{1} << 20;
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* data, std::size_t bytes) noexcept;

// The allocator of lists that grow large (TLargeVector).
template <typename T>
class TLargeAllocator {
  public:
    using value_type = T;
    TLargeAllocator() = default;
    template <typename U>
    TLargeAllocator(const TLargeAllocator<U>&) noexcept {}
    T* allocate(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(AllocateLarge(count * sizeof(T)));
    }
    void deallocate(T* data, std::size_t count) noexcept { FreeLarge(data, count * sizeof(T)); }
    friend bool operator==(const TLargeAllocator&, const TLargeAllocator&) { return true; }
};

template <typename T>
using TLargeVector = std::vector<T, TLargeAllocator<T>>;
// Text buffers of whole files.
using TLargeString = std::basic_string<char, std::char_traits<char>, TLargeAllocator<char>>;

// The same for buffers that are written right after they grow (a file read
// into one): growing leaves the new elements as they are instead of filling
// them first, which for a whole file cost as much as a copy of it.
template <typename T>
class TUnfilledLargeAllocator : public TLargeAllocator<T> {
  public:
    template <typename U>
    struct rebind {
        using other = TUnfilledLargeAllocator<U>;
    };
    TUnfilledLargeAllocator() = default;
    template <typename U>
    TUnfilledLargeAllocator(const TUnfilledLargeAllocator<U>&) noexcept {}
    template <typename U>
    void construct(U* place) {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};
using TLargeBuffer = std::vector<char, TUnfilledLargeAllocator<char>>;

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
