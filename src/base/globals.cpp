#include "base/globals.hpp"

#include <algorithm>
#include <cstdlib>

#include "base/file_io.hpp"
#include "base/large_memory.hpp"

namespace velquist {

std::string_view Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

namespace {

template <typename TString>
void AppendWithCrLfTo(TString& out, std::string_view text) {
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
void NormalizeLineBreaksInto(std::string_view text, TString& out) {
    out.clear();
    ReserveLarge(out, text.size() + text.size() / 32 + 2);
    AppendWithCrLfTo(out, text);
    if (!text.empty() && text.back() != '\r' && text.back() != '\n') out += "\r\n";
}

}  // namespace

void AppendWithCrLf(std::string& out, std::string_view text) { AppendWithCrLfTo(out, text); }

void NormalizeLineBreaks(std::string_view text, TLargeString& out) {
    NormalizeLineBreaksInto(text, out);
}

std::string NormalizeLineBreaks(std::string_view text) {
    std::string out;
    NormalizeLineBreaksInto(text, out);
    return out;
}

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

std::string_view ExtractField(std::string_view text, int n, char separator) {
    if (n <= 0) return text;
    std::size_t start = 0;
    for (int field = 1; field < n; ++field) {
        const std::size_t next = text.find(separator, start);
        if (next == std::string_view::npos) return {};
        start = next + 1;
    }
    const std::size_t end = text.find(separator, start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

int CountFields(std::string_view text, char separator) {
    if (text.empty()) return 0;
    int count = 1;
    for (char c : text) count += c == separator;
    return count;
}

std::string TextInParentheses(std::string_view text) {
    const std::size_t open = text.find('(');
    const std::size_t close = text.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos) return std::string(text);
    if (close < open) return {};
    return std::string(Trim(text.substr(open + 1, close - open - 1)));
}

std::string TextWithoutParentheses(std::string_view text) {
    const std::size_t open = text.find('(');
    const std::size_t close = text.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return std::string(Trim(text));
    std::string rest(text.substr(0, open));
    rest.append(text.substr(close + 1));
    return std::string(Trim(rest));
}

std::string StripPercent(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '%') out += c;
    return std::string(Trim(out));
}

}  // namespace velquist
