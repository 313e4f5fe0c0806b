// The browser edition has no signals: a page closed takes its memory files
// with it.
#include "system/memory_files.hpp"
#include "system/platform_file.hpp"

namespace velquist {

void RemoveTemporaryPath(const char* path, bool) { RemoveMemoryFile(path); }

}  // namespace velquist
