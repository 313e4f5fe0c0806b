// Temporary files in the browser edition's memory files, named by a count:
// nobody else shares the memory, so nothing else can have taken a name.
#include <cerrno>
#include <string>

#include "system/memory_files.hpp"
#include "system/temporary_file.hpp"

namespace velquist {
namespace {

std::string NextName() {
    static unsigned count = 0;
    std::string digits = std::to_string(++count % 1000000);
    return std::string(6 - digits.size(), '0') + digits;
}

}  // namespace

int WriteAll(TFileDescriptor fd, std::string_view bytes) {
    if (fd < 0) return EBADF;
    AppendToMemoryFile(fd, bytes);
    return 0;
}

TTemporaryFile::~TTemporaryFile() {
    if (path_.empty()) return;
    Close();
    RemoveMemoryFile(path_);
}

int TTemporaryFile::Create(const std::string& folder, std::string_view prefix,
                           std::string_view suffix) {
    std::string path = folder;
    path.append(prefix).append(NextName()).append(suffix);
    const int fd = OpenMemoryFileToWrite(path);
    if (fd < 0) return EMFILE;
    fd_ = fd;
    path_ = std::move(path);
    return 0;
}

int TTemporaryFile::Close() {
    if (fd_ >= 0) CloseMemoryFile(fd_);
    fd_ = NoFileDescriptor;
    return 0;
}

bool IsUnusableFolderError(int) { return false; }

std::string GetTempDir() { return "/tmp/"; }

}  // namespace velquist
