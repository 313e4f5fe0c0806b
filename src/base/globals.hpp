// Small text helpers shared by the reader, the merger and the writer: pure
// functions on byte strings. Text files are read and written by
// system/text_file.hpp.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace velquist {

// Removes leading and trailing bytes up to 32 (blanks and control characters).
std::string_view Trim(std::string_view text);

// The text's lines, each ended by CR LF (an empty text stays empty).
std::string NormalizeLineBreaks(std::string_view text);
// out := NormalizeLineBreaks(text), reusing out's memory; out is any string
// of char (the file layer's large strings among them).
template <typename TString>
void NormalizeLineBreaks(std::string_view text, TString& out);
// Appends the text with each line break in it (CR, LF or CR LF) as CR LF; adds
// no line end of its own.
template <typename TString>
void AppendWithCrLf(TString& out, std::string_view text);

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

template <typename TString>
void AppendWithCrLf(TString& out, std::string_view text) {
    // The next CR and the next LF are each found with memchr, which is fast on
    // the long runs between line breaks.
    std::size_t pos = 0;
    std::size_t nextCr = text.find('\r');
    std::size_t nextLf = text.find('\n');
    while (true) {
        const std::size_t lineEnd = std::min(nextCr, nextLf);
        if (lineEnd == std::string_view::npos) {
            out.append(text.substr(pos));
            return;
        }
        out.append(text.substr(pos, lineEnd - pos));
        out += "\r\n";
        pos = lineEnd + 1;
        if (lineEnd == nextCr && nextLf == pos) ++pos;  // CR LF is one break
        if (nextCr < pos) nextCr = text.find('\r', pos);
        if (nextLf < pos) nextLf = text.find('\n', pos);
    }
}

template <typename TString>
void NormalizeLineBreaks(std::string_view text, TString& out) {
    out.clear();
    out.reserve(text.size() + text.size() / 32 + 2);
    AppendWithCrLf(out, text);
    if (!text.empty() && text.back() != '\r' && text.back() != '\n') out += "\r\n";
}

}  // namespace velquist
