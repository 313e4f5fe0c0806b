// Large working memory in the browser edition: WebAssembly's one linear
// memory has no pages to map or advise, so every block comes from operator new.
#include "system/large_memory.hpp"

namespace velquist {

void AdviseHugePages(const void*, std::size_t) {}

void* AllocateLarge(std::size_t bytes) { return ::operator new(bytes); }

void FreeLarge(void* data, std::size_t) noexcept { ::operator delete(data); }

}  // namespace velquist
