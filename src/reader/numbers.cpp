#include "reader/numbers.hpp"

#include <charconv>
#include <cmath>

namespace velquist {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the run of digits at pos.
std::size_t DigitRun(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end - pos;
}

}  // namespace

double ParseNumber(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    text = text.substr(first, last - first);
    if (text.empty()) return 0;

    // Check the shape first: from_chars alone would also take "inf" and "nan".
    std::size_t pos = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        ++pos;
    }
    const std::size_t numberStart = pos;
    std::size_t digits = DigitRun(text, pos);
    pos += digits;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        const std::size_t fraction = DigitRun(text, pos);
        digits += fraction;
        pos += fraction;
    }
    if (digits == 0) return 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        const std::size_t exponent = DigitRun(text, pos);
        if (exponent == 0) return 0;
        pos += exponent;
    }
    if (pos != text.size()) return 0;

    double value = 0;
    const char* begin = text.data() + numberStart;
    const auto result = std::from_chars(begin, text.data() + text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0;
    return negative ? -value : value;
}

std::int32_t ParseInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t digits = DigitRun(text, pos);
    if (digits == 0 || pos + digits != text.size()) return 0;
    std::int64_t value = 0;
    for (std::size_t i = pos; i < text.size(); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) return 0;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return 0;
    return static_cast<std::int32_t>(value);
}

}  // namespace velquist
