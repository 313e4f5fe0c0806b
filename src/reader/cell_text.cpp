#include "reader/cell_text.hpp"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "model/format_settings.hpp"
#include "system/large_memory.hpp"

namespace velquist {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Which of "td", "/td", "tr" and "/tr" a tag text contains, in any case, as
// substrings anywhere (attributes included); one pass over the text.
struct TTagWords {
    bool Td = false, ClosingTd = false, Tr = false, ClosingTr = false;
};

// Notes the word that starts with the "t" at position i, if any.
void NoteWordAt(std::string_view tag, std::size_t i, TTagWords& words) {
    if (i + 1 >= tag.size()) return;
    const char next = LowerAscii(tag[i + 1]);
    const bool closing = i > 0 && tag[i - 1] == '/';
    if (next == 'd') {
        words.Td = true;
        words.ClosingTd |= closing;
    } else if (next == 'r') {
        words.Tr = true;
        words.ClosingTr |= closing;
    }
}

TTagWords FindTagWords(std::string_view tag) {
    TTagWords words;
    std::size_t i = 0;
#ifdef __SSE2__
    // Finds the "t"s 16 bytes at a time: x | 0x20 equals 't' only for "t" and "T".
    const __m128i lowerBit = _mm_set1_epi8(0x20);
    const __m128i letterT = _mm_set1_epi8('t');
    for (; i + 16 <= tag.size(); i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tag.data() + i));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(block, lowerBit), letterT)));
        for (; mask != 0; mask &= mask - 1) NoteWordAt(tag, i + __builtin_ctz(mask), words);
    }
#endif
    for (; i < tag.size(); ++i)
        if (LowerAscii(tag[i]) == 't') NoteWordAt(tag, i, words);
    return words;
}

// The first of "<", ">" and LF from p on: the only bytes that change state.
// Report pages are mostly short tags and cells, so this runs once every few
// bytes; 16 bytes are tested at a time where SSE2 is there.
const char* NextSpecial(const char* p, const char* end) {
#ifdef __SSE2__
    const __m128i open = _mm_set1_epi8('<');
    const __m128i close = _mm_set1_epi8('>');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, open), _mm_cmpeq_epi8(block, close)),
                         _mm_cmpeq_epi8(block, lineFeed));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    }
#endif
    return std::find_if(p, end, [](char c) { return c == '<' || c == '>' || c == '\n'; });
}

// What a closed tag leaves: ";" for a closing "td", a line break for a
// closing "tr" ("td" is tested first), nothing for any other tag.
char* CloseTag(std::string_view tag, char* out) {
    const TTagWords words = FindTagWords(tag);
    if (words.Td) {
        if (words.ClosingTd) *out++ = ReportFormatSettings.ListSeparator;
    } else if (words.Tr && words.ClosingTr) {
        *out++ = '\r';
        *out++ = '\n';
    }
    return out;
}

}  // namespace

// Text between tags is copied in runs; a tag is looked at where it stands in
// the file, and copied only when a LF inside it must be left out of its text.
// The result is never longer than the file text: every tag that leaves
// something behind is longer than what it leaves. A ">" outside a tag appends
// nothing: the tag text it would test was emptied or holds neither "td" nor
// "tr".
void CellText(std::string_view fileText, TLargeBuffer& result) {
    ReserveLarge(result, fileText.size());
    result.resize(fileText.size());
    char* out = result.data();
    std::string brokenTag;           // the text of a tag with a LF in it
    const char* tagStart = nullptr;  // inside a tag: where its text (or its rest) starts
    const char* p = fileText.data();
    const char* const end = p + fileText.size();
    while (p != end) {
        const char* special = NextSpecial(p, end);
        if (tagStart == nullptr) {
            std::memcpy(out, p, static_cast<std::size_t>(special - p));
            out += special - p;
        }
        if (special == end) break;
        p = special + 1;
        if (*special == '<') {
            tagStart = p;
            brokenTag.clear();
        } else if (*special == '>') {
            if (tagStart != nullptr) {
                if (brokenTag.empty()) {
                    out = CloseTag(
                        std::string_view(tagStart, static_cast<std::size_t>(special - tagStart)),
                        out);
                } else {
                    brokenTag.append(tagStart, special);
                    out = CloseTag(brokenTag, out);
                }
            }
            tagStart = nullptr;
        } else if (tagStart != nullptr) {
            // A LF inside a tag is dropped from its text; what came before it is
            // kept aside (nothing kept means the rest is the whole text).
            brokenTag.append(tagStart, special);
            tagStart = p;
        }
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
}

std::string CellText(std::string_view fileText) {
    TLargeBuffer result;
    CellText(fileText, result);
    return std::string(result.begin(), result.end());
}

TTextLines SplitLines(std::string_view text) {
    TTextLines lines;
    SplitLines(text, lines);
    return lines;
}

void SplitLines(std::string_view text, TTextLines& lines) {
    lines.clear();
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end) {
        const char* lineEnd = std::find_if(p, end, [](char c) { return c == '\r' || c == '\n'; });
        const std::string_view line(p, static_cast<std::size_t>(lineEnd - p));
        if (lineEnd == end) {
            lines.push_back({line, false});
            break;
        }
        const bool crlf = *lineEnd == '\r' && lineEnd + 1 != end && lineEnd[1] == '\n';
        lines.push_back({line, crlf});
        p = lineEnd + (crlf ? 2 : 1);
    }
}

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    if (line.empty()) return;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(ReportFormatSettings.ListSeparator, start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace velquist
