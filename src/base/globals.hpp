// Small text helpers shared by the reader, the merger and the writer. All are
// pure functions on byte strings except the file and folder helpers.
#pragma once

#include <string>
#include <string_view>

#include "base/large_memory.hpp"

namespace velquist {

// Removes leading and trailing bytes up to 32 (blanks and control characters).
std::string_view Trim(std::string_view text);

// The whole file with every line break (CR, LF or CR LF) turned into CR LF and
// a CR LF after the last line; the text ends at the first NUL byte.
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
// The text's lines, each ended by CR LF (an empty text stays empty).
std::string NormalizeLineBreaks(std::string_view text);
// out := NormalizeLineBreaks(text), reusing out's memory.
void NormalizeLineBreaks(std::string_view text, TLargeString& out);
// Appends the text with each line break in it (CR, LF or CR LF) as CR LF; adds
// no line end of its own.
void AppendWithCrLf(std::string& out, std::string_view text);

// Field n (from 1) of the text split at the separator; the whole text for
// n <= 0, empty when there are fewer than n fields.
std::string_view ExtractField(std::string_view text, int n, char separator);
// 0 for an empty text, otherwise the number of separators plus 1.
int CountFields(std::string_view text, char separator);
// The trimmed text between the first "(" and the first ")"; empty when ")"
// comes first; the text unchanged when either is missing.
std::string TextInParentheses(std::string_view text);
// The text without its part from the first "(" to the first ")", trimmed; only
// trimmed when either is missing or ")" comes first.
std::string TextWithoutParentheses(std::string_view text);
// The text with every "%" removed, trimmed.
std::string StripPercent(std::string_view text);

// The characters after which a path's last part begins: "/" on POSIX, where a
// backslash may be part of a name; also the backslash and a drive's ":" on
// Windows.
#ifdef _WIN32
inline constexpr std::string_view PathSeparators = "/\\:";
#else
inline constexpr std::string_view PathSeparators = "/";
#endif

// The system's temporary folder with its trailing "/", or empty when the
// system gives none.
std::string GetTempDir();

}  // namespace velquist
