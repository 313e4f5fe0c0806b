// Bounded reading: see file_io.hpp. The platform opens and reads the file
// (TReadSource); the limits and the NUL rule live here once.
#include <algorithm>
#include <cstring>
#include <new>

#include "system/file_io.hpp"
#include "system/large_memory.hpp"
#include "system/platform_file.hpp"
#include "system/system_error.hpp"

namespace velquist {
namespace {

// Reads into `bytes` until the end, the limit, or (with stopAtNul) the first
// NUL byte; true when it stopped at the limit. head, when given, gets the
// first read's first bytes before any NUL is cut off.
template <typename TString>
bool ReadUpTo(TReadSource& file, const std::string& path, std::size_t limit, bool stopAtNul,
              TString& bytes, std::string* head) {
    constexpr std::size_t Piece = 1 << 16;
    while (bytes.size() < limit) {
        const std::size_t start = bytes.size();
        const std::size_t want = std::min(Piece, limit - start);
        bytes.resize(start + want);
        std::size_t n = 0;
        if (const int error = file.Read(bytes.data() + start, want, n); error != 0)
            throw CannotOpenFileError(path, error);
        bytes.resize(start + n);
        if (head != nullptr && start == 0) head->assign(bytes.data(), std::min(n, HeadSize));
        if (n == 0) return false;
        if (stopAtNul) {
            const void* nul = std::memchr(bytes.data() + start, '\0', n);
            if (nul != nullptr) {
                bytes.resize(static_cast<const char*>(nul) - bytes.data());
                return false;
            }
        }
    }
    return true;
}

// True when the file has at least one more byte to give.
bool HasMore(TReadSource& file) {
    char probe;
    std::size_t n = 0;
    return file.Read(&probe, 1, n) == 0 && n > 0;
}

template <typename TString>
void ReadBounded(const std::string& path, bool stopAtNul, TString& bytes, std::string* head) {
    bytes.clear();
    if (head != nullptr) head->clear();
    TReadSource file(path);
    // A regular file ends where it ended when it was opened, whatever is added
    // later; anything else is read up to the streaming limit.
    const bool sized = file.SizeAtOpen() > 0;
    const std::size_t limit = sized ? file.SizeAtOpen() : MaxStreamedFileSize;
    try {
        // A sparse file may claim far more than it holds before its first NUL.
        if (sized) ReserveLarge(bytes, std::min(limit, MaxStreamedFileSize));
        if (ReadUpTo(file, path, limit, stopAtNul, bytes, head) && !sized && HasMore(file))
            throw CannotReadFileError(path, "It is not a regular file and is longer than 256 MiB");
    } catch (const std::bad_alloc&) {
        throw CannotReadFileError(path, "Out of memory");
    }
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    ReadBounded(path, false, bytes, nullptr);
    return bytes;
}

void ReadFileUpToNul(const std::string& path, TLargeBuffer& bytes, std::string* head) {
    ReadBounded(path, true, bytes, head);
}

}  // namespace velquist
