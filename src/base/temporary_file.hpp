// Files and folders that live only while the program needs them. Each gets a
// name that nobody else can have taken (created exclusively, with random
// characters in it), is private to the user (mode 0600 or 0700), is removed
// when its owner goes out of scope, and is removed by the SIGINT and SIGTERM
// handlers (see signal_cleanup.hpp) when the program is ended early.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace velquist {

// Writes all the bytes to the descriptor; 0, or the errno of the failed write.
int WriteAll(int fd, std::string_view bytes);

class TTemporaryFile {
  public:
    TTemporaryFile() = default;
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    // Closes and removes the file unless it was handed on with Release.
    ~TTemporaryFile();

    // Creates folder + prefix + 6 random characters + suffix, open for
    // writing; 0, or the errno why it could not be created. `folder` is empty
    // or ends in "/".
    int Create(const std::string& folder, std::string_view prefix, std::string_view suffix);
    // The name Create tries, with "XXXXXX" for the random part (for messages).
    static std::string Pattern(const std::string& folder, std::string_view prefix,
                               std::string_view suffix);

    int Descriptor() const { return fd_; }
    const std::string& Path() const { return path_; }
    // Closes the file and keeps it for now; 0 or the errno of a failed close.
    int Close();
    // The file was renamed into place: it is no longer removed.
    void Release();

  private:
    std::string path_;
    int fd_ = -1;
    int slot_ = -1;
};

// A private folder (mode 0700) removed with whatever is in it.
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

// When XDG_RUNTIME_DIR is unset, sets it to a new private folder in
// tempFolder that lives as long as the returned object; toolkits otherwise make
// a shared "runtime-USER" folder in the temporary folder and leave it there.
// Null when the variable was set or no folder could be made.
std::unique_ptr<TTemporaryFolder> ProvideRuntimeFolder(const std::string& tempFolder);

}  // namespace velquist
