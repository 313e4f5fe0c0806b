// The errors of base/error.hpp for a failure that the system reports by an
// error number (errno on POSIX, a GetLastError code on Windows): each carries
// the system's text for it (SystemErrorText) as its reason.
#pragma once

#include <string_view>

#include "base/error.hpp"

namespace velquist {

Error CannotOpenFileError(std::string_view path, int errorNumber);
Error CannotCreateFileError(std::string_view path, int errorNumber);
Error StreamWriteError(std::string_view path, int errorNumber);
Error TemporaryFolderError(std::string_view folder, int errorNumber, bool folderUnusable);

}  // namespace velquist
