#include "system/text_file.hpp"

#include "base/globals.hpp"
#include "system/file_io.hpp"

namespace velquist {
namespace {

// True when every line already ends with CR LF, as in the terminal's files.
bool EndsEveryLineWithCrLf(std::string_view text) {
    if (text.empty()) return true;
    if (!text.ends_with("\r\n")) return false;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos;
         lf = text.find('\n', lf + 1))
        if (lf == 0 || text[lf - 1] != '\r') return false;
    for (std::size_t cr = text.find('\r'); cr != std::string_view::npos;
         cr = text.find('\r', cr + 1))
        if (text[cr + 1] != '\n') return false;
    return true;
}

}  // namespace

std::string_view LoadTextFile(const std::string& fileName, TTextFileBuffers& buffers) {
    // The text ends at the first NUL byte, so reading stops there too: an
    // endless device such as /dev/zero gives an empty text.
    ReadFileUpToNul(fileName, buffers.Bytes, &buffers.Head);
    const std::string_view bytes(buffers.Bytes.data(), buffers.Bytes.size());
    if (EndsEveryLineWithCrLf(bytes)) return bytes;
    NormalizeLineBreaks(bytes, buffers.Converted);
    return buffers.Converted;
}

std::string LoadTextFile(const std::string& fileName) {
    TTextFileBuffers buffers;
    return std::string(LoadTextFile(fileName, buffers));
}

void SaveTextFile(const std::string& fileName, std::string_view text) {
    WriteWholeFile(fileName, NormalizeLineBreaks(text));
}

}  // namespace velquist
