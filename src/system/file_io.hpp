// Whole-file reading and writing.
//
// Reading is bounded: a regular file is read up to the size it had when it was
// opened, anything else (a pipe, a device) up to MaxStreamedFileSize.
//
// A regular file (or a new one) is written through a temporary file in the
// same folder that is renamed over it, so a failure never leaves a half-written
// file and keeps any earlier file of that name; the new file keeps the earlier
// one's mode, and its owner and group where the writer may set them. A
// symbolic link is followed and the file it points to is replaced. An existing
// target that is not a regular file (a device, a FIFO) is written directly and
// never replaced; a folder is refused. When no temporary file can be created
// beside an existing regular file that the user may write (a folder the user
// may not write to), the file is written in place: then a failure part-way
// leaves it cut short.
//
// On Windows the temporary file replaces the target with MoveFileExW; links
// are not followed there, and modes and owners are the folder's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "system/large_memory.hpp"
#include "system/temporary_file.hpp"

namespace velquist {

// The most bytes read from a file that is not a regular file (256 MiB).
inline constexpr std::size_t MaxStreamedFileSize = std::size_t{256} << 20;

// The file's bytes. "Cannot open file "PATH". REASON" when it cannot be opened
// or read; "Cannot read file "PATH". REASON" when it is too large to read.
std::string ReadWholeFile(const std::string& path);
// bytes := the file's bytes up to its first NUL byte, read no further than
// that. The string's memory is reused. With head, *head := the file's first
// bytes, NULs included (at most HeadSize of them, fewer when the first read
// gives fewer): what the file's encoding is told by.
inline constexpr std::size_t HeadSize = 64;
void ReadFileUpToNul(const std::string& path, TLargeBuffer& bytes, std::string* head = nullptr);

// Whether two names denote the same file: equal texts (on Windows, equal but
// for the case of ASCII letters, as its file systems compare names), or both
// existing and the same file (another spelling, a link, a case-insensitive
// file system).
bool IsSameFile(const std::string& a, const std::string& b);

// Writes a file as described above; Commit puts it in place. Destroyed
// without Commit, it removes the temporary file and the target stays as it
// was. Errors name the target as given.
class TAtomicFileWriter {
  public:
    // sizeHint, when known, lets the file system reserve the space in one go;
    // it must not be more than will be written.
    explicit TAtomicFileWriter(const std::string& path, std::size_t sizeHint = 0);
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;
    ~TAtomicFileWriter();

    void Write(std::string_view bytes);
    void Commit();

  private:
    void OpenInPlace(bool isRegular);
    TFileDescriptor Descriptor() const;

    std::string path_;
    std::string target_;
    TTemporaryFile temporary_;
    TFileDescriptor inPlace_ = NoFileDescriptor;
    bool truncateInPlace_ = false;
    std::size_t written_ = 0;
    std::size_t reserved_ = 0;
};

// Creates or replaces the file with exactly these bytes. "Cannot create file
// "PATH". REASON" when the file cannot be created, "Stream write error. Cannot
// write file "PATH". REASON" when a write fails.
void WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace velquist
