// Text files as the reader takes them and as they are written: every line
// break (CR, LF or CR LF) becomes CR LF, and the text ends at the first NUL
// byte, as the terminal's own reading ends there.
#pragma once

#include <string>
#include <string_view>

#include "system/large_memory.hpp"

namespace velquist {

// The whole file with every line break turned into CR LF and a CR LF after
// the last line; the text ends at the first NUL byte.
std::string LoadTextFile(const std::string& fileName);
// Memory that loading one text file after another reuses.
struct TTextFileBuffers {
    TLargeBuffer Bytes;      // the file as read
    TLargeString Converted;  // its text, when line breaks had to be converted
    std::string Head;        // the file's first bytes, NULs included (ReadFileUpToNul)
};
// LoadTextFile through the buffers; the text stays valid until they are used
// again.
std::string_view LoadTextFile(const std::string& fileName, TTextFileBuffers& buffers);
// Writes the text split at line breaks, with CR LF after every line, as one
// whole file (see WriteWholeFile).
void SaveTextFile(const std::string& fileName, std::string_view text);

}  // namespace velquist
