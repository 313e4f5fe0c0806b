#include <sys/mman.h>

#include <cstdint>

#include "base/large_memory.hpp"

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

}  // namespace velquist
