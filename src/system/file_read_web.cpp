// Opening and reading the browser edition's memory files for bounded reading.
#include <cerrno>

#include "system/memory_files.hpp"
#include "system/platform_file.hpp"
#include "system/system_error.hpp"

namespace velquist {

TReadSource::TReadSource(const std::string& path) : file_(OpenMemoryFileToRead(path)) {
    if (file_ < 0) throw CannotOpenFileError(path, ENOENT);
    size_ = MemoryFileSize(file_);
}

TReadSource::~TReadSource() { CloseMemoryFile(file_); }

int TReadSource::Read(char* buffer, std::size_t size, std::size_t& got) {
    got = ReadMemoryFile(file_, buffer, size);
    return 0;
}

}  // namespace velquist
