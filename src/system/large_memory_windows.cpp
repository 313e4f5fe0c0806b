#include <new>

#include "system/large_memory.hpp"

namespace velquist {

// Windows gives large pages only to programs with a special privilege.
void AdviseHugePages(const void*, std::size_t) {}

void* AllocateLarge(std::size_t bytes) { return ::operator new(bytes); }

void FreeLarge(void* data, std::size_t) noexcept { ::operator delete(data); }

}  // namespace velquist
