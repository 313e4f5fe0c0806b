#include "system/system_error.hpp"

#include "system/system_text.hpp"

namespace velquist {

Error CannotOpenFileError(std::string_view path, int errorNumber) {
    return CannotOpenFileError(path, SystemErrorText(errorNumber));
}

Error CannotCreateFileError(std::string_view path, int errorNumber) {
    return CannotCreateFileError(path, SystemErrorText(errorNumber));
}

Error StreamWriteError(std::string_view path, int errorNumber) {
    return StreamWriteError(path, SystemErrorText(errorNumber));
}

Error TemporaryFolderError(std::string_view folder, int errorNumber, bool folderUnusable) {
    return TemporaryFolderError(folder, SystemErrorText(errorNumber), folderUnusable);
}

}  // namespace velquist
