#include "base/large_memory.hpp"

namespace velquist {

// Windows gives large pages only to programs with a special privilege.
void AdviseHugePages(const void*, std::size_t) {}

}  // namespace velquist
