// The browser edition has no signals: a page closed takes its memory files
// with it.
#include "base/memory_files.hpp"
#include "base/platform_file.hpp"
#include "base/signal_cleanup.hpp"

namespace velquist {

void RemoveTemporaryPath(const char* path, bool) { RemoveMemoryFile(path); }

void RemoveTemporaryFilesOnSignals() {}

}  // namespace velquist
