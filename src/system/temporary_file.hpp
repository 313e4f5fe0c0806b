// Files and folders that live only while the program needs them. Each gets a
// name that nobody else can have taken (created exclusively, with random
// characters in it), is private to the user (mode 0600 or 0700 on POSIX; the
// folder's own access rights on Windows), is removed when its owner goes out
// of scope, and is removed by the cleanup handlers (see signal_cleanup.hpp)
// when the program is ended early.
//
// Error numbers are the system's: errno values on POSIX, GetLastError codes
// on Windows.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace velquist {

// An open file: a descriptor on POSIX, a HANDLE on Windows.
#ifdef _WIN32
using TFileDescriptor = void*;
inline constexpr TFileDescriptor NoFileDescriptor = nullptr;
#else
using TFileDescriptor = int;
inline constexpr TFileDescriptor NoFileDescriptor = -1;
#endif

// Writes all the bytes to the file; 0, or the error number of the failed write.
int WriteAll(TFileDescriptor fd, std::string_view bytes);

class TTemporaryFile {
  public:
    TTemporaryFile() = default;
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    // Closes and removes the file unless it was handed on with Release.
    ~TTemporaryFile();

    // Creates folder + prefix + 6 random characters + suffix, open for
    // writing; 0, or the error number why it could not be created. `folder` is
    // empty or ends in "/" (or a backslash on Windows).
    int Create(const std::string& folder, std::string_view prefix, std::string_view suffix);
    // The name Create tries, with "XXXXXX" for the random part.
    static std::string Pattern(const std::string& folder, std::string_view prefix,
                               std::string_view suffix) {
        std::string pattern = folder;
        pattern.append(prefix).append("XXXXXX").append(suffix);
        return pattern;
    }

    TFileDescriptor Descriptor() const { return fd_; }
    const std::string& Path() const { return path_; }
    // Closes the file and keeps it for now; 0 or the error number of a failed
    // close.
    int Close();
    // The file was renamed into place: it is no longer removed.
    void Release();

  private:
    std::string path_;
    TFileDescriptor fd_ = NoFileDescriptor;
    int slot_ = -1;
};

// A private folder (mode 0700 on POSIX) removed with whatever is in it.
class TTemporaryFolder {
  public:
    // Creates folder + prefix + 6 random characters; the path is empty when
    // that failed.
    TTemporaryFolder(const std::string& folder, std::string_view prefix);
    TTemporaryFolder(const TTemporaryFolder&) = delete;
    TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;
    ~TTemporaryFolder();

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    int slot_ = -1;
};

// The system's temporary folder with its trailing separator ("/" on POSIX, a
// backslash on Windows), or empty when the system gives none.
std::string GetTempDir();

// Whether an error number of TTemporaryFile::Create says that the folder
// itself takes no files: it is missing, no folder, or not writable.
bool IsUnusableFolderError(int errorNumber);

// When XDG_RUNTIME_DIR is unset, sets it to a new private folder in
// tempFolder that lives as long as the returned object; toolkits otherwise make
// a shared "runtime-USER" folder in the temporary folder and leave it there.
// Null when the variable was set or no folder could be made, and always on
// Windows, whose toolkit needs no such folder.
std::unique_ptr<TTemporaryFolder> ProvideRuntimeFolder(const std::string& tempFolder);

}  // namespace velquist
