// Temporary files and folders with POSIX calls, and the temporary folder as
// the environment names it.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "system/signal_cleanup.hpp"
#include "system/temporary_file.hpp"

namespace velquist {

int WriteAll(TFileDescriptor fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

TTemporaryFile::~TTemporaryFile() {
    if (path_.empty()) return;
    Close();
    ::unlink(path_.c_str());
    ForgetTemporaryPath(slot_);
}

int TTemporaryFile::Create(const std::string& folder, std::string_view prefix,
                           std::string_view suffix) {
    std::string path = Pattern(folder, prefix, suffix);
    // mkostemps creates the file with O_EXCL and mode 0600.
    const int fd = ::mkostemps(path.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    if (fd < 0) return errno;
    fd_ = fd;
    path_ = std::move(path);
    slot_ = RememberTemporaryPath(path_, false);
    return 0;
}

int TTemporaryFile::Close() {
    if (fd_ < 0) return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

TTemporaryFolder::TTemporaryFolder(const std::string& folder, std::string_view prefix) {
    std::string path = folder;
    path.append(prefix).append("XXXXXX");
    if (::mkdtemp(path.data()) == nullptr) return;
    path_ = std::move(path);
    slot_ = RememberTemporaryPath(path_, true);
}

TTemporaryFolder::~TTemporaryFolder() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    ForgetTemporaryPath(slot_);
}

std::unique_ptr<TTemporaryFolder> ProvideRuntimeFolder(const std::string& tempFolder) {
    const char* current = std::getenv("XDG_RUNTIME_DIR");
    if (current != nullptr && *current != '\0') return nullptr;
    auto folder = std::make_unique<TTemporaryFolder>(tempFolder, "velquist-runtime-");
    if (folder->Path().empty() || ::setenv("XDG_RUNTIME_DIR", folder->Path().c_str(), 1) != 0)
        return nullptr;
    return folder;
}

bool IsUnusableFolderError(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
        case ENOTDIR:
        case EACCES:
        case EPERM:
        case EROFS:
        case ELOOP:
        case ENAMETOOLONG:
            return true;
        default:
            return false;
    }
}

std::string GetTempDir() {
    for (const char* name : {"TMPDIR", "TMP", "TEMP"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            std::string dir(value);
            if (dir.back() != '/') dir += '/';
            return dir;
        }
    }
    return "/tmp/";
}

}  // namespace velquist
