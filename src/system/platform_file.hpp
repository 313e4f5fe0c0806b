// The seams between system's shared file code and each platform's file
// (*_posix.cpp, *_windows.cpp, *_web.cpp): opening a file for bounded reading,
// the folder of a path, and removing one temporary path from the cleanup
// handlers. Only system uses them.
#pragma once

#include <cstddef>
#include <string>

#include "system/temporary_file.hpp"

namespace velquist {

// A file open for reading. The constructor throws "Cannot open file" when the
// file cannot be opened or is a folder.
class TReadSource {
  public:
    explicit TReadSource(const std::string& path);
    TReadSource(const TReadSource&) = delete;
    TReadSource& operator=(const TReadSource&) = delete;
    ~TReadSource();

    // The size of a regular file when it was opened; 0 for anything to be read
    // like a pipe (a device, or a file that shows size 0 such as those of /proc).
    std::size_t SizeAtOpen() const { return size_; }
    // Reads at most `size` bytes into `buffer` and sets `got` (0 at the end);
    // 0, or the system's error number.
    int Read(char* buffer, std::size_t size, std::size_t& got);

  private:
    TFileDescriptor file_ = NoFileDescriptor;
    std::size_t size_ = 0;
};

// The folder part of a path with its separator, or empty for a bare name.
std::string FolderOf(const std::string& path);

// Removes one temporary file or (empty) folder. Runs inside the cleanup
// handlers: on POSIX it may only make async-signal-safe calls.
void RemoveTemporaryPath(const char* path, bool isFolder);
// Removes every temporary path still in the table (signal_cleanup.hpp).
void RemoveLiveTemporaryPaths();

}  // namespace velquist
