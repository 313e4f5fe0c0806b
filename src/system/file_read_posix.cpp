// Opening and reading a file for bounded reading, with POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "system/platform_file.hpp"
#include "system/system_error.hpp"

namespace velquist {

TReadSource::TReadSource(const std::string& path)
    : file_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY)) {
    if (file_ < 0) throw CannotOpenFileError(path, errno);
    struct stat info {};
    int error = 0;
    if (::fstat(file_, &info) != 0)
        error = errno;
    else if (S_ISDIR(info.st_mode))
        error = EISDIR;
    if (error != 0) {
        ::close(file_);
        throw CannotOpenFileError(path, error);
    }
    // Files that show size 0 (those of /proc) are read like a pipe.
    if (S_ISREG(info.st_mode) && info.st_size > 0) size_ = static_cast<std::size_t>(info.st_size);
}

TReadSource::~TReadSource() { ::close(file_); }

int TReadSource::Read(char* buffer, std::size_t size, std::size_t& got) {
    ssize_t n;
    do n = ::read(file_, buffer, size);
    while (n < 0 && errno == EINTR);
    got = n > 0 ? static_cast<std::size_t>(n) : 0;
    return n < 0 ? errno : 0;
}

}  // namespace velquist
