#include "reader/cell_text.hpp"

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

}  // namespace

std::string CellText(std::string_view fileText) {
    std::string out;
    out.reserve(fileText.size() / 2);
    std::string tag;
    bool insideTag = false;
    for (const char c : fileText) {
        if (c == '\n') continue;
        if (c == '<') {
            insideTag = true;
            tag.clear();
        } else if (c == '>') {
            // A ">" outside a tag finds the tag text emptied or without "td" and
            // "tr", so it appends nothing.
            insideTag = false;
            if (TagContains(tag, "td")) {
                if (TagContains(tag, "/td")) out += ReportFormatSettings.ListSeparator;
                tag.clear();
            } else if (TagContains(tag, "tr")) {
                if (TagContains(tag, "/tr")) out += "\r\n";
                tag.clear();
            }
        } else if (insideTag) {
            tag += c;
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<TTextLine> SplitLines(std::string_view text) {
    std::vector<TTextLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({text.substr(start), false});
            break;
        }
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        lines.push_back({text.substr(start, end - start), crlf});
        start = end + (crlf ? 2 : 1);
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
