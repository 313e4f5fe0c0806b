// Bounded reading: see file_io.hpp.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "base/error.hpp"
#include "base/file_io.hpp"

namespace velquist {
namespace {

class TReadDescriptor {
  public:
    explicit TReadDescriptor(int fd) : fd_(fd) {}
    TReadDescriptor(const TReadDescriptor&) = delete;
    TReadDescriptor& operator=(const TReadDescriptor&) = delete;
    ~TReadDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }

  private:
    int fd_;
};

// Reads into `bytes` until the end, the limit, or (with stopAtNul) the first
// NUL byte; true when it stopped at the limit.
bool ReadUpTo(int fd, const std::string& path, std::size_t limit, bool stopAtNul,
              std::string& bytes) {
    constexpr std::size_t Piece = 1 << 16;
    while (bytes.size() < limit) {
        const std::size_t start = bytes.size();
        const std::size_t want = std::min(Piece, limit - start);
        bytes.resize(start + want);
        const ssize_t n = ::read(fd, bytes.data() + start, want);
        if (n < 0 && errno == EINTR) {
            bytes.resize(start);
            continue;
        }
        if (n < 0) throw CannotOpenFileError(path, errno);
        bytes.resize(start + static_cast<std::size_t>(n));
        if (n == 0) return false;
        if (stopAtNul) {
            const void* nul = std::memchr(bytes.data() + start, '\0', static_cast<std::size_t>(n));
            if (nul != nullptr) {
                bytes.resize(static_cast<const char*>(nul) - bytes.data());
                return false;
            }
        }
    }
    return true;
}

// True when the descriptor has at least one more byte to give.
bool HasMore(int fd) {
    char probe;
    ssize_t n;
    do n = ::read(fd, &probe, 1);
    while (n < 0 && errno == EINTR);
    return n > 0;
}

std::string ReadBounded(const std::string& path, bool stopAtNul) {
    TReadDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0) throw CannotOpenFileError(path, errno);
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) throw CannotOpenFileError(path, errno);
    if (S_ISDIR(info.st_mode)) throw CannotOpenFileError(path, EISDIR);
    // A regular file ends where it ended when it was opened, whatever is added
    // later; one that shows size 0 (those of /proc) is read like a pipe.
    const bool sized = S_ISREG(info.st_mode) && info.st_size > 0;
    const std::size_t limit = sized ? static_cast<std::size_t>(info.st_size) : MaxStreamedFileSize;
    std::string bytes;
    try {
        // A sparse file may claim far more than it holds before its first NUL.
        if (sized) bytes.reserve(std::min(limit, MaxStreamedFileSize));
        if (ReadUpTo(file.Get(), path, limit, stopAtNul, bytes) && !sized && HasMore(file.Get()))
            throw CannotReadFileError(path, "It is not a regular file and is longer than 256 MiB");
    } catch (const std::bad_alloc&) {
        throw CannotReadFileError(path, "Out of memory");
    }
    return bytes;
}

}  // namespace

std::string ReadWholeFile(const std::string& path) { return ReadBounded(path, false); }

std::string ReadFileUpToNul(const std::string& path) { return ReadBounded(path, true); }

}  // namespace velquist
