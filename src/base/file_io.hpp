// Whole-file reading and writing. Files are written through a temporary file
// in the same folder that is renamed over the target, so a failure never
// leaves a half-written file and keeps any earlier file of that name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velquist {

// The file's bytes; "Cannot open file "PATH". REASON" when it cannot be opened
// or read.
std::string ReadWholeFile(const std::string& path);

// Writes a file through a temporary file in the same folder, renamed over the
// target by Commit. Destroyed without Commit, it removes the temporary file and
// the target stays as it was. Errors name the target.
class TAtomicFileWriter {
public:
    // sizeHint, when known, lets the file system reserve the space in one go.
    explicit TAtomicFileWriter(const std::string& path, std::size_t sizeHint = 0);
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;
    ~TAtomicFileWriter();

    void Write(std::string_view bytes);
    void Commit();

private:
    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    std::size_t written_ = 0;
    std::size_t reserved_ = 0;
};

// Creates or replaces the file with exactly these bytes. "Cannot create file
// "PATH". REASON" when the file cannot be created, "Stream write error" when a
// write fails.
void WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace velquist
