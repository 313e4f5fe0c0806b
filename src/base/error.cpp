#include "base/error.hpp"

namespace velquist {

EListError::EListError(long long index)
    : Error("List index out of bounds (" + std::to_string(index) + ")") {}

Error CannotOpenFileError(std::string_view path, std::string_view reason) {
    return Error("Cannot open file \"" + std::string(path) + "\". " + std::string(reason));
}

Error CannotCreateFileError(std::string_view path, std::string_view reason) {
    return Error("Cannot create file \"" + std::string(path) + "\". " + std::string(reason));
}

Error WarningAsError(std::string_view path, std::string_view warning) {
    return Error(std::string(path) + ": " + std::string(warning));
}

Error TemporaryFolderError(std::string_view folder, std::string_view reason, bool folderUnusable) {
#ifdef _WIN32
    std::string place = "the system's temporary folder \"" + std::string(folder) + "\"";
#else
    std::string place = "the temporary folder \"" + std::string(folder) + "\" (TMPDIR)";
#endif
    if (folder.empty()) place = "the current folder";
    const std::string ending = ". " + std::string(reason);
    if (folderUnusable)
        return Error("Cannot make the chart's bitmap: " + place + " is missing or not writable" +
                     ending);
    return Error("Cannot make the chart's bitmap in " + place + ending);
}

Error SumsOverflowError(std::string_view path) {
    return Error("The merged report's sums overflow from \"" + std::string(path) +
                 "\" on; nothing was written");
}

Error OutOfMemoryError(std::string_view path) {
    return Error("Out of memory while working on \"" + std::string(path) + "\"");
}

Error BadBitmapError(std::string_view path, std::string_view reason) {
    return Error("Cannot read bitmap \"" + std::string(path) + "\". " + std::string(reason));
}

Error UnencodableImageError(std::string_view format, long long width, long long height,
                            std::string_view content) {
    return Error("Cannot write a " + std::string(format) + " of " + std::to_string(width) + " x " +
                 std::to_string(height) + " pixels from " + std::string(content));
}

Error GifColourIndexError(int index, std::size_t colours) {
    return Error("Cannot write a GIF: colour index " + std::to_string(index) +
                 " outside a table of " + std::to_string(colours) + " colours");
}

Error NoGuiApplicationError() { return Error("The balance chart needs a QGuiApplication"); }

Error NoChartError() {
    return Error("This build cannot draw the balance chart; nothing was merged");
}

Error StreamWriteError(std::string_view path, std::string_view reason) {
    return Error("Stream write error. Cannot write file \"" + std::string(path) + "\". " +
                 std::string(reason));
}

Error CannotReadFileError(std::string_view path, std::string_view reason) {
    return Error("Cannot read file \"" + std::string(path) + "\". " + std::string(reason));
}

}  // namespace velquist
