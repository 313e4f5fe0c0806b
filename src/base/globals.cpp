#include "base/globals.hpp"

namespace velquist {

std::string_view Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

std::string NormalizeLineBreaks(std::string_view text) {
    std::string out;
    NormalizeLineBreaks(text, out);
    return out;
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
