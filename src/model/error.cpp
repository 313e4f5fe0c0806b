#include "model/error.hpp"

#include <cstring>

namespace velquist {

EListError::EListError(long long index)
    : Error("List index out of bounds (" + std::to_string(index) + ")") {}

std::string SystemErrorText(int errorNumber) { return std::strerror(errorNumber); }

Error CannotOpenFileError(std::string_view path, int errorNumber) {
    return Error("Cannot open file \"" + std::string(path) + "\". " + SystemErrorText(errorNumber));
}

Error CannotCreateFileError(std::string_view path, int errorNumber) {
    return Error("Cannot create file \"" + std::string(path) + "\". " +
                 SystemErrorText(errorNumber));
}

Error StreamWriteError(std::string_view path, int errorNumber) {
    return Error("Stream write error. Cannot write file \"" + std::string(path) + "\". " +
                 SystemErrorText(errorNumber));
}

Error CannotReadFileError(std::string_view path, std::string_view reason) {
    return Error("Cannot read file \"" + std::string(path) + "\". " + std::string(reason));
}

}  // namespace velquist
