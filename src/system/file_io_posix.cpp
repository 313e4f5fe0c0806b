// Writing whole files with POSIX calls: see file_io.hpp.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "system/file_io.hpp"
#include "system/platform_file.hpp"
#include "system/system_error.hpp"

namespace velquist {
namespace {

// The path with every symbolic link along its last part followed; the file
// the links lead to need not exist yet. Throws naming `shown`.
std::string FollowLinks(const std::string& path, const std::string& shown) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string target(4096, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0) throw CannotCreateFileError(shown, errno);
        target.resize(static_cast<std::size_t>(n));
        current = !target.empty() && target[0] == '/' ? target : FolderOf(current) + target;
    }
    throw CannotCreateFileError(shown, ELOOP);
}

// The new file takes the earlier one's owner, group and mode. Where the group
// cannot be kept, its rights are not handed to the writer's group: the file is
// never readable by more people than before.
void CarryOver(int fd, const struct stat* earlier) {
    if (earlier == nullptr) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        return;
    }
    mode_t mode = earlier->st_mode & 0777;
    if (earlier->st_uid != ::geteuid() || earlier->st_gid != ::getegid()) {
        if (::fchown(fd, earlier->st_uid, earlier->st_gid) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), earlier->st_gid) != 0)
            mode &= ~static_cast<mode_t>(S_IRWXG);
    }
    ::fchmod(fd, mode);
}

// Carries the earlier file's rights over and reserves the size; returns the
// bytes reserved. Reserving first lets the file system place a large file in
// one go, several times faster; where it cannot, the writes allocate as usual.
std::size_t PrepareTemporary(int fd, const struct stat* earlier, std::size_t sizeHint) {
    CarryOver(fd, earlier);
    if (sizeHint > 0 && ::fallocate(fd, 0, 0, static_cast<off_t>(sizeHint)) == 0) return sizeHint;
    return 0;
}

}  // namespace

TAtomicFileWriter::TAtomicFileWriter(const std::string& path, std::size_t sizeHint)
    : path_(path), target_(FollowLinks(path, path)) {
    struct stat earlier {};
    const bool exists = ::stat(target_.c_str(), &earlier) == 0;
    if (!exists && errno != ENOENT) throw CannotCreateFileError(path_, errno);
    if (exists && S_ISDIR(earlier.st_mode)) throw CannotCreateFileError(path_, EISDIR);
    if (exists && !S_ISREG(earlier.st_mode)) {
        OpenInPlace(false);
        return;
    }
    // The temporary file sits beside the target so that the rename stays on
    // one file system; its short name fits wherever the target's name fits.
    const int error = temporary_.Create(FolderOf(target_), ".vq", "");
    if (error == 0)
        reserved_ =
            PrepareTemporary(temporary_.Descriptor(), exists ? &earlier : nullptr, sizeHint);
    else if (exists && (error == EACCES || error == EPERM))
        OpenInPlace(true);
    else
        throw CannotCreateFileError(path_, error);
}

void TAtomicFileWriter::OpenInPlace(bool isRegular) {
    // Without O_CREAT nothing new is made; O_NONBLOCK keeps a FIFO that nobody
    // reads from blocking the program (it fails with ENXIO instead).
    const int fd = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) throw CannotCreateFileError(path_, errno);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    inPlace_ = fd;
    // A regular file is cut to what was written only at Commit, so a failure
    // before the first write leaves it as it was.
    truncateInPlace_ = isRegular;
}

TAtomicFileWriter::~TAtomicFileWriter() {
    if (inPlace_ >= 0) ::close(inPlace_);
}

TFileDescriptor TAtomicFileWriter::Descriptor() const {
    return inPlace_ >= 0 ? inPlace_ : temporary_.Descriptor();
}

void TAtomicFileWriter::Write(std::string_view bytes) {
    // The reservation is a lower bound of the file's length; writing past a
    // reserved end is much slower on some file systems (ext4) than filling
    // reserved space, so what goes past it is reserved first, to the byte.
    const std::size_t end = written_ + bytes.size();
    if (reserved_ > 0 && end > reserved_ &&
        ::fallocate(Descriptor(), 0, static_cast<off_t>(reserved_),
                    static_cast<off_t>(end - reserved_)) == 0)
        reserved_ = end;
    if (const int error = WriteAll(Descriptor(), bytes); error != 0)
        throw StreamWriteError(path_, error);
    written_ += bytes.size();
}

void TAtomicFileWriter::Commit() {
    const bool cut = inPlace_ >= 0 ? truncateInPlace_ : reserved_ > written_;
    if (cut && ::ftruncate(Descriptor(), static_cast<off_t>(written_)) != 0)
        throw StreamWriteError(path_, errno);
    if (inPlace_ >= 0) {
        const int fd = inPlace_;
        inPlace_ = -1;
        if (::close(fd) != 0) throw StreamWriteError(path_, errno);
        return;
    }
    if (const int error = temporary_.Close(); error != 0) throw StreamWriteError(path_, error);
    if (std::rename(temporary_.Path().c_str(), target_.c_str()) != 0)
        throw CannotCreateFileError(path_, errno);
    temporary_.Release();
}

}  // namespace velquist
