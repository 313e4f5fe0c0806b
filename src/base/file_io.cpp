#include "base/file_io.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "base/error.hpp"

namespace velquist {
namespace {

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) throw CannotOpenFileError(path, errno);
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) throw CannotOpenFileError(path, errno);
    if (S_ISDIR(info.st_mode)) throw CannotOpenFileError(path, EISDIR);
    std::string bytes;
    if (S_ISREG(info.st_mode)) bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw CannotOpenFileError(path, errno);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

TAtomicFileWriter::TAtomicFileWriter(const std::string& path, std::size_t sizeHint)
    : path_(path), temporary_(path + ".XXXXXX") {
    // The temporary file sits beside the target so that the rename stays on one
    // file system and replaces the target in one step.
    fd_ = ::mkstemp(temporary_.data());
    if (fd_ < 0) throw CannotCreateFileError(path_, errno);
    // mkstemp creates 0600; give the result the usual rights of a new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
    // Reserving the size first lets the file system place a large file in one
    // go, several times faster; where it cannot, the writes allocate as usual.
    if (sizeHint > 0 && ::fallocate(fd_, 0, 0, static_cast<off_t>(sizeHint)) == 0)
        reserved_ = sizeHint;
}

TAtomicFileWriter::~TAtomicFileWriter() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temporary_.c_str());
    }
}

void TAtomicFileWriter::Write(std::string_view bytes) {
    if (!WriteAll(fd_, bytes)) throw StreamWriteError();
    written_ += bytes.size();
}

void TAtomicFileWriter::Commit() {
    // A reservation larger than what was written is given back.
    if (reserved_ > written_ && ::ftruncate(fd_, static_cast<off_t>(written_)) != 0)
        throw StreamWriteError();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        ::unlink(temporary_.c_str());
        throw StreamWriteError();
    }
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary_.c_str());
        throw CannotCreateFileError(path_, error);
    }
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    TAtomicFileWriter file(path, bytes.size());
    file.Write(bytes);
    file.Commit();
}

}  // namespace velquist
