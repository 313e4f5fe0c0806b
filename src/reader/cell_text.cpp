#include "reader/cell_text.hpp"

#include <algorithm>

#include "model/format_settings.hpp"

namespace velquist {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Case-insensitive substring test on a tag text.
bool TagContains(std::string_view tag, std::string_view lowerNeedle) {
    if (tag.size() < lowerNeedle.size()) return false;
    for (std::size_t i = 0; i + lowerNeedle.size() <= tag.size(); ++i) {
        std::size_t k = 0;
        while (k < lowerNeedle.size() && LowerAscii(tag[i + k]) == lowerNeedle[k]) ++k;
        if (k == lowerNeedle.size()) return true;
    }
    return false;
}

// The first of "<", ">" and LF from p on: the only bytes that change state.
const char* NextSpecial(const char* p, const char* end) {
    return std::find_if(p, end, [](char c) { return c == '<' || c == '>' || c == '\n'; });
}

// Appends what a closed tag leaves: ";" for a closing "td", a line break for a
// closing "tr" ("td" is tested first), nothing for any other tag.
void CloseTag(std::string_view tag, std::string& out) {
    if (TagContains(tag, "td")) {
        if (TagContains(tag, "/td")) out += ReportFormatSettings.ListSeparator;
    } else if (TagContains(tag, "tr")) {
        if (TagContains(tag, "/tr")) out += "\r\n";
    }
}

}  // namespace

// Text between tags is copied in runs. A ">" outside a tag appends nothing: the
// tag text it would test was emptied or holds neither "td" nor "tr".
std::string CellText(std::string_view fileText) {
    std::string out;
    out.reserve(fileText.size() / 2);
    std::string tag;
    bool insideTag = false;
    const char* p = fileText.data();
    const char* const end = p + fileText.size();
    while (p != end) {
        const char* special = NextSpecial(p, end);
        (insideTag ? tag : out).append(p, special);
        if (special == end) break;
        p = special + 1;
        if (*special == '<') {
            insideTag = true;
            tag.clear();
        } else if (*special == '>') {
            if (insideTag) CloseTag(tag, out);
            insideTag = false;
        }
        // LF is dropped, inside or outside a tag.
    }
    return out;
}

std::vector<TTextLine> SplitLines(std::string_view text) {
    std::vector<TTextLine> lines;
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
    return lines;
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
