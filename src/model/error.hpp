// The project's one error type and the constructors of its fixed messages.
// Every failure that reaches the window or the command line is an Error whose
// what() is the exact text to show.
#pragma once

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

// "Cannot open file "PATH". REASON" with the system's text for errorNumber.
Error CannotOpenFileError(std::string_view path, int errorNumber);
// "Cannot create file "PATH". REASON" with the system's text for errorNumber.
Error CannotCreateFileError(std::string_view path, int errorNumber);
// "Stream write error. Cannot write file "PATH". REASON": a write to an opened
// file failed (a full disk, a device that refuses the bytes).
Error StreamWriteError(std::string_view path, int errorNumber);
// "Cannot read file "PATH". REASON": reading stopped before the end, such as
// when the file has no end or memory ran out.
Error CannotReadFileError(std::string_view path, std::string_view reason);

// The system's text for an errno value, without a trailing period.
std::string SystemErrorText(int errorNumber);

}  // namespace velquist
