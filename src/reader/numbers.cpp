#include "reader/numbers.hpp"

#include <cmath>

#include "base/decimal_text.hpp"

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

std::size_t NumberLength(std::string_view text) {
    std::size_t pos = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) ++pos;
    std::size_t digits = DigitRun(text, pos);
    pos += digits;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fraction = DigitRun(text, pos + 1);
        digits += fraction;
        pos += 1 + fraction;
    }
    if (digits == 0) return 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponentStart = pos + 1;
        if (exponentStart < text.size() &&
            (text[exponentStart] == '+' || text[exponentStart] == '-'))
            ++exponentStart;
        const std::size_t exponent = DigitRun(text, exponentStart);
        if (exponent > 0) pos = exponentStart + exponent;
    }
    return pos;
}

double ParseNumber(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    text = text.substr(first, last - first);
    // Check the shape first: from_chars alone would also take "inf" and "nan".
    if (text.empty() || NumberLength(text) != text.size()) return 0;

    const bool negative = text[0] == '-';
    const std::size_t numberStart = text[0] == '+' || text[0] == '-' ? 1 : 0;
    double value = 0;
    if (!ReadDecimal(text.substr(numberStart), value) || !std::isfinite(value)) return 0;
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
