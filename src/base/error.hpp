// The project's one error type and the constructors of its messages: every
// text that the window or the command line shows for a failure is built here.
// Every failure that reaches them is an Error whose what() is that text.
// Messages that carry the system's reason take it as text; the same
// constructors for a system's error number are in system/system_error.hpp.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velquist {

class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Raised by the owning lists for an index outside 0 .. Count - 1.
class EListError : public Error {
  public:
    explicit EListError(long long index);
};

// "Cannot open file "PATH". REASON".
Error CannotOpenFileError(std::string_view path, std::string_view reason);
// "Cannot create file "PATH". REASON".
Error CannotCreateFileError(std::string_view path, std::string_view reason);
// "Stream write error. Cannot write file "PATH". REASON": a write to an opened
// file failed (a full disk, a device that refuses the bytes).
Error StreamWriteError(std::string_view path, std::string_view reason);
// "Cannot read file "PATH". REASON": reading stopped before the end, such as
// when the file has no end or memory ran out.
Error CannotReadFileError(std::string_view path, std::string_view reason);

// A warning about a report that the user asked to treat as an error.
Error WarningAsError(std::string_view path, std::string_view warning);
// The chart's bitmap could not be made in the temporary folder (the folder
// with its trailing separator, or empty for the current folder): the message
// says that the folder, TMPDIR or the system's on Windows, is missing or not
// writable when folderUnusable (see IsUnusableFolderError), and gives the
// system's reason.
Error TemporaryFolderError(std::string_view folder, std::string_view reason, bool folderUnusable);
// The merged report's sums overflow, from the named report file on.
Error SumsOverflowError(std::string_view path);
// Memory ran out while working on the file.
Error OutOfMemoryError(std::string_view path);
// A merge in a build that cannot draw the balance chart, refused before it
// writes a page that names the picture.
Error NoChartError();

// "Cannot read bitmap "PATH". REASON": a bitmap file that cannot be decoded.
Error BadBitmapError(std::string_view path, std::string_view reason);
// Pictures that the encoders refuse: a program error, not a user's.
Error UnencodableImageError(std::string_view format, long long width, long long height,
                            std::string_view content);
Error GifColourIndexError(int index, std::size_t colours);
// The chart drawn without a Qt application to draw with.
Error NoGuiApplicationError();

}  // namespace velquist
