#include <sys/mman.h>

#include <cstdint>
#include <new>

#include "system/large_memory.hpp"

namespace velquist {

void AdviseHugePages([[maybe_unused]] const void* data, [[maybe_unused]] std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    // Only whole huge pages inside the memory: madvise wants page-aligned
    // ranges, and the hint applies to whole 2 MiB pages anyway.
    constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(HugePage - 1);
    if (first < last) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;

std::size_t RoundUpToHugePage(std::size_t bytes) {
    return (bytes + HugePage - 1) & ~(HugePage - 1);
}

}  // namespace

// One huge page more is mapped than needed, and what lies outside the
// aligned block is given back at once.
void* AllocateLarge(std::size_t bytes) {
    if (bytes < LargeBlockFrom) return ::operator new(bytes);
    const std::size_t size = RoundUpToHugePage(bytes);
    if (size < bytes || size + HugePage < size) throw std::bad_alloc();
    void* mapped = ::mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto begin = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (begin + HugePage - 1) & ~(HugePage - 1);
    if (aligned > begin) ::munmap(mapped, aligned - begin);
    const std::uintptr_t end = begin + size + HugePage;
    if (end > aligned + size)
        ::munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
    AdviseHugePages(reinterpret_cast<void*>(aligned), size);
    return reinterpret_cast<void*>(aligned);
}

void FreeLarge(void* data, std::size_t bytes) noexcept {
    if (bytes < LargeBlockFrom) return ::operator delete(data);
    ::munmap(data, RoundUpToHugePage(bytes));
}

}  // namespace velquist
